#include "templatedialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TemplateDialog::TemplateDialog(QWidget* parent) : BulkEditDialog(parent) {}

TemplateDialog::~TemplateDialog() = default;

void TemplateDialog::addOkCancel(QWidget* okParent) {
    cmdOK = new QPushButton(QStringLiteral("OK"), okParent);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TemplateDialog::installTemplatePanel(std::unique_ptr<TemplateStore> store,
                                          const QString& newCaption, const QString& saveCaption) {
    templatePanel = new TemplatePanel(std::move(store), newCaption, saveCaption, this);
    static_cast<TemplateControls&>(*this) = *templatePanel;
}

QVBoxLayout* TemplateDialog::templateColumn(const QString& nameCaption) {
    auto* column = new QVBoxLayout;
    column->addWidget(new QLabel(QStringLiteral("■ テンプレート"), this));
    column->addWidget(listTemplate);
    if (!nameCaption.isEmpty()) {
        column->addWidget(new QLabel(nameCaption, this));
    }
    column->addWidget(txtTemplName);
    column->addWidget(cmdTemplNew);
    column->addWidget(cmdTemplSave);
    column->addWidget(cmdTemplDelete);
    auto* moves = new QHBoxLayout;
    moves->addWidget(cmdUp);
    moves->addWidget(cmdDown);
    column->addLayout(moves);
    listTemplate->setMinimumWidth(140);
    return column;
}

void TemplateDialog::done(int result) {
    if (!closed_) {
        closed_ = true;
        rememberSettings();
        templatePanel->Close();
    }
    BulkEditDialog::done(result);
}
