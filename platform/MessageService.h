#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace zl {

// Kinds of message box, with their German captions.
enum class MsgKind { Warnung, Fehler, Information, Bestaetigung };

// Buttons and results; the values are the modal results of the dialogs.
enum MsgButton : int {
    mbNone = 0,
    mbOK = 1,
    mbCancel = 2,
    mbAbort = 3,
    mbRetry = 4,
    mbIgnore = 5,
    mbYes = 6,
    mbNo = 7,
};
using MsgButtons = QList<MsgButton>;

QString msgKindCaption(MsgKind kind); // "Warnung", "Fehler", "Information", "Bestätigung"
QString msgButtonCaption(MsgButton b); // "&Ja", "&Nein", "OK", "Abbrechen", ...

struct MessageRequest {
    MsgKind kind = MsgKind::Information;
    QString caption; // empty: the kind's caption
    QString text;
    MsgButtons buttons{mbOK};
    MsgButton defaultButton = mbOK;
};

// Every message box of the programs goes through this service, so tests can
// record them and answer from a script.
class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows the box and returns the button chosen.
    virtual MsgButton show(const MessageRequest& request) = 0;
};

// The service in force; the default writes to stderr and answers the default button.
MessageService& messageService();
// Installs a service (not owned); nullptr restores the default. Returns the previous one.
MessageService* setMessageService(MessageService* service);

// Shorthands.
MsgButton ZeigeBox(MsgKind kind, const QString& text, MsgButtons buttons = {mbOK},
                   MsgButton defaultButton = mbOK, const QString& caption = {});
void ZeigeFehler(const QString& text);
void ZeigeWarnung(const QString& text);
void ZeigeInfo(const QString& text);
bool FrageJaNein(const QString& text, MsgButton defaultButton = mbYes);

// Test double: logs every box and answers from a queue (then the default button).
class RecordingMessageService : public MessageService {
public:
    struct Entry {
        MsgKind kind;
        QString caption;
        QString text;
        MsgButtons buttons;
        MsgButton answer;
    };
    MsgButton show(const MessageRequest& request) override;

    void answerNext(MsgButton b) { answers_.append(b); }
    const QList<Entry>& entries() const { return entries_; }
    QStringList texts() const;
    void clear() { entries_.clear(); answers_.clear(); }
    // Called for every box before it is answered (for tests that act while a box is up).
    std::function<void(const Entry&)> onShow;

private:
    QList<Entry> entries_;
    QList<MsgButton> answers_;
};

// Installs a recorder for one scope and restores the previous service after.
class ScopedMessageRecorder : public RecordingMessageService {
public:
    ScopedMessageRecorder() : previous_(setMessageService(this)) {}
    ~ScopedMessageRecorder() override { setMessageService(previous_); }

private:
    MessageService* previous_;
};

} // namespace zl
