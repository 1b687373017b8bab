// The template controls shared by the ability editor and the skill editor: the list of named
// settings, the name box and the buttons that create, overwrite, delete and move entries.
// Entry 0 is the fixed "no template" entry; it is never loaded, renamed, moved or deleted.
#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

#include "model/templates.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QWidget;

// What differs between the two dialogs' template lists: the settings type, how the dialog turns
// its controls into settings and back, and the file the list is written to.
class TemplateStore {
  public:
    virtual ~TemplateStore() = default;
    virtual int count() const = 0;
    virtual QString name(int index) const = 0;
    virtual void setName(int index, const QString& name) = 0;
    // Appends an entry holding the dialog's current settings.
    virtual void appendCurrent(const QString& name) = 0;
    // Stores the dialog's current settings into an entry, keeping its name.
    virtual void storeCurrent(int index) = 0;
    // Shows an entry's settings in the dialog.
    virtual void load(int index) = 0;
    virtual void remove(int index) = 0;
    virtual void swap(int first, int second) = 0;
    // Writes the whole list to its file and tells the player when that failed.
    virtual void save() = 0;
};

// The name of entry 0, the "no template" entry.
QString NoTemplateName();

// Shows the failure of a template file's write, if any.
void ShowTemplateSaveFailure(const std::optional<DataFileError>& error);

template <typename Settings>
class TemplateListStore : public TemplateStore {
  public:
    using StoreSettings = std::function<void(Settings&)>;
    using LoadSettings = std::function<void(const Settings&)>;

    TemplateListStore(TemplateFile<Settings>& file, StoreSettings store, LoadSettings load)
        : file_(file),
          templates_(file.entries()),
          store_(std::move(store)),
          load_(std::move(load)) {
        // The dialogs need entry 0; a file that announced no template leaves the list empty.
        if (templates_.isEmpty()) {
            Settings none;
            none.name = NoTemplateName();
            templates_.append(none);
        }
    }

    int count() const override { return static_cast<int>(templates_.size()); }
    QString name(int index) const override { return templates_[index].name; }
    void setName(int index, const QString& name) override { templates_[index].name = name; }
    void appendCurrent(const QString& name) override {
        Settings entry;
        store_(entry);
        entry.name = name;
        templates_.append(entry);
    }
    void storeCurrent(int index) override { store_(templates_[index]); }
    void load(int index) override { load_(templates_[index]); }
    void remove(int index) override { templates_.removeAt(index); }
    void swap(int first, int second) override { templates_.swapItemsAt(first, second); }
    void save() override { ShowTemplateSaveFailure(file_.save()); }

  private:
    TemplateFile<Settings>& file_;
    QList<Settings>& templates_;
    StoreSettings store_;
    LoadSettings load_;
};

// The template controls by their control names; the dialogs show the same pointers under the
// same names.
struct TemplateControls {
    QListWidget* listTemplate = nullptr;
    QLineEdit* txtTemplName = nullptr;
    QPushButton* cmdTemplNew = nullptr;
    QPushButton* cmdTemplSave = nullptr;
    QPushButton* cmdTemplDelete = nullptr;
    QPushButton* cmdUp = nullptr;
    QPushButton* cmdDown = nullptr;
};

class TemplatePanel : public QObject, public TemplateControls {
    Q_OBJECT
  public:
    // The controls are created as children of dialog, which lays them out; the two captions
    // differ between the dialogs.
    TemplatePanel(std::unique_ptr<TemplateStore> store, const QString& newCaption,
                  const QString& saveCaption, QWidget* dialog);
    ~TemplatePanel() override;

    // Opening: no current entry, nothing changed, the list filled and entry 0 selected.
    void Open();
    // Closing: commits a pending name edit and writes the list when anything changed.
    void Close();

    int currentIndex() const { return current_; }
    bool templatesChanged() const { return changed_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private slots:
    void showChosenTemplate();
    void newTemplate();
    void saveTemplate();
    void deleteTemplate();
    void moveTemplateUp();
    void moveTemplateDown();

  private:
    // Selects a row and runs the selection step, also when the row is already selected.
    void selectRow(int row);
    void runSelectionStep(int row);
    // Gives the current entry the text of the name box.
    void commitName();

    std::unique_ptr<TemplateStore> store_;
    int current_ = -1;
    bool changed_ = false;
    int rowAtPress_ = -1;
};
