#include "messages.h"

#include <QStringList>

namespace {

MessageAnswer answerWithoutShowing(const ShownMessage& message) {
    return message.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

MessagePresenter& currentPresenter() {
    static MessagePresenter presenter = answerWithoutShowing;
    return presenter;
}

}  // namespace

MessageAnswer ShowMessage(const QString& text, MessageIcon icon, MessageButtons buttons,
                          MessageAnswer defaultAnswer) {
    return currentPresenter()(ShownMessage{text, icon, buttons, defaultAnswer});
}

MessageAnswer ShowQuestion(const QString& text, MessageIcon icon, MessageAnswer defaultAnswer,
                           const QString& otherButton) {
    return currentPresenter()(
        ShownMessage{text, icon, MessageButtons::YesNo, defaultAnswer, otherButton});
}

void SetMessagePresenter(MessagePresenter presenter) {
    currentPresenter() = presenter ? std::move(presenter) : MessagePresenter(answerWithoutShowing);
}

RecordedMessages::RecordedMessages() : previous_(currentPresenter()) {
    currentPresenter() = [this](const ShownMessage& message) {
        shown_.append(message);
        if (message.buttons == MessageButtons::Ok) {
            return MessageAnswer::Ok;
        }
        return answers_.isEmpty() ? MessageAnswer::No : answers_.takeFirst();
    };
}

RecordedMessages::~RecordedMessages() {
    currentPresenter() = previous_;
}

QStringList RecordedMessages::texts() const {
    QStringList result;
    for (const ShownMessage& message : shown_) {
        result.append(message.text);
    }
    return result;
}
