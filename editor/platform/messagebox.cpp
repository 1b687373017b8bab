#include "messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "appinfo.h"

namespace {

QMessageBox::Icon iconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Information:
            break;
    }
    return QMessageBox::Information;
}

MessageAnswer showBox(const ShownMessage& message) {
    const bool asks = message.buttons == MessageButtons::YesNo;
    QMessageBox box(iconOf(message.icon), AppTitle(), message.text,
                    asks ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    QApplication::activeWindow());
    if (asks) {
        box.setDefaultButton(message.defaultAnswer == MessageAnswer::No ? QMessageBox::No
                                                                        : QMessageBox::Yes);
    }
    QPushButton* other = nullptr;
    if (asks && !message.otherButton.isEmpty()) {
        other = box.addButton(message.otherButton, QMessageBox::ActionRole);
    }
    const int pressed = box.exec();
    if (other != nullptr && box.clickedButton() == other) {
        return MessageAnswer::Other;
    }
    if (!asks) {
        return MessageAnswer::Ok;
    }
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

}  // namespace

void UseRealMessageBoxes() {
    SetMessagePresenter(showBox);
}
