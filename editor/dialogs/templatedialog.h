// The shape shared by the ability editor and the skill editor: a bulk edit dialog with "OK",
// "ｷｬﾝｾﾙ" and a column of named settings, which remembers the shown settings when it closes.
#pragma once

#include <QLineEdit>
#include <QList>
#include <QListWidget>
#include <QPushButton>
#include <QString>

#include <memory>

#include "bulkeditdialog.h"
#include "templatepanel.h"

class QVBoxLayout;

class TemplateDialog : public BulkEditDialog, public TemplateControls {
    Q_OBJECT
  public:
    explicit TemplateDialog(QWidget* parent = nullptr);
    ~TemplateDialog() override;

    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    TemplatePanel* templatePanel = nullptr;

    // Every way of closing (OK, ｷｬﾝｾﾙ, close box, Esc) ends here.
    void done(int result) override;

  protected:
    // Creates "OK" as a child of okParent, then "ｷｬﾝｾﾙ"; creation order is focus order.
    void addOkCancel(QWidget* okParent);

    // Creates the template controls over the list of file; dialog supplies StoreSettings and
    // LoadSettings for its settings type.
    template <typename Dialog, typename Settings>
    void addTemplatePanel(Dialog* dialog, TemplateFile<Settings>& file, const QString& newCaption,
                          const QString& saveCaption) {
        installTemplatePanel(
            std::make_unique<TemplateListStore<Settings>>(
                file, [dialog](Settings& settings) { dialog->StoreSettings(settings); },
                [dialog](const Settings& settings) { dialog->LoadSettings(settings); }),
            newCaption, saveCaption);
    }

    // The template column laid out top to bottom; a caption over the name box when given.
    QVBoxLayout* templateColumn(const QString& nameCaption = QString());

    // Keeps the shown settings for the next opening.
    virtual void rememberSettings() = 0;

  private:
    void installTemplatePanel(std::unique_ptr<TemplateStore> store, const QString& newCaption,
                              const QString& saveCaption);

    bool closed_ = false;
};
