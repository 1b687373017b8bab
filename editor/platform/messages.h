// The one routine through which every message box of the program is shown. The box itself is
// drawn by a presenter: the editor installs a real one, tests install a recording one.
#pragma once

#include <QList>
#include <QString>

#include <functional>

enum class MessageIcon { Critical, Exclamation, Question, Information };
enum class MessageButtons { Ok, YesNo };
// Other: the extra button of a question that has one.
enum class MessageAnswer { Ok, Yes, No, Other };

struct ShownMessage {
    QString text;
    MessageIcon icon;
    MessageButtons buttons;
    // The button that Return presses; No for a question whose Yes would drop work.
    MessageAnswer defaultAnswer = MessageAnswer::Yes;
    // The caption of a button beside Yes and No (a question only); none when empty.
    QString otherButton = {};
};

// Shows text with the application title, the icon and the buttons; returns the button pressed.
MessageAnswer ShowMessage(const QString& text, MessageIcon icon,
                          MessageButtons buttons = MessageButtons::Ok,
                          MessageAnswer defaultAnswer = MessageAnswer::Yes);

// A Yes/No question with one more button, otherButton, which answers Other.
MessageAnswer ShowQuestion(const QString& text, MessageIcon icon, MessageAnswer defaultAnswer,
                           const QString& otherButton);

using MessagePresenter = std::function<MessageAnswer(const ShownMessage&)>;

// Installs the presenter; an empty one restores the default, which answers without showing
// anything (Ok, or No to a question), so that no code path can wait on an absent screen.
void SetMessagePresenter(MessagePresenter presenter);

// For tests: while alive, records every message instead of showing it and answers questions
// from a queue (No when the queue is empty).
class RecordedMessages {
  public:
    RecordedMessages();
    ~RecordedMessages();
    RecordedMessages(const RecordedMessages&) = delete;
    RecordedMessages& operator=(const RecordedMessages&) = delete;

    void queueAnswer(MessageAnswer answer) { answers_.append(answer); }
    const QList<ShownMessage>& shown() const { return shown_; }
    QStringList texts() const;
    void clear() { shown_.clear(); }

  private:
    QList<ShownMessage> shown_;
    QList<MessageAnswer> answers_;
    MessagePresenter previous_;
};
