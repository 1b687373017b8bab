// The search box of the main window: Ctrl+F shows it above the list, and what is typed in it
// narrows the list to the generals whose name or marks contain it. Escape (in the box or in
// the list) empties it, hides it and shows every row again.
#pragma once

#include <QLineEdit>

class GeneralFilter;
class GeneralList;

class FindBox : public QLineEdit {
    Q_OBJECT
  public:
    // Ctrl+F in the window opens the list's box.
    static void install(QWidget* window, GeneralList* list);
    // The list's box, made hidden if it has none yet.
    static FindBox* of(GeneralList* list);

    GeneralFilter* filter() const { return filter_; }
    // Shows the box (the list gives up its top for it) and puts the keyboard in it.
    void open();
    // Empties the box, hides it and gives the list its room and the keyboard back.
    void dismiss();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit FindBox(GeneralList* list);

    GeneralList* list_;
    GeneralFilter* filter_;
};
