#include "platform/MessageService.h"

#include <cstdio>

namespace zl {
namespace {

class StderrMessageService : public MessageService {
public:
    MsgButton show(const MessageRequest& r) override
    {
        const QString caption = r.caption.isEmpty() ? msgKindCaption(r.kind) : r.caption;
        std::fprintf(stderr, "[%s] %s\n", caption.toLocal8Bit().constData(), r.text.toLocal8Bit().constData());
        return r.defaultButton;
    }
};

StderrMessageService g_default;
MessageService* g_service = &g_default;

} // namespace

QString msgKindCaption(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Warnung:
        return QStringLiteral("Warnung");
    case MsgKind::Fehler:
        return QStringLiteral("Fehler");
    case MsgKind::Information:
        return QStringLiteral("Information");
    case MsgKind::Bestaetigung:
        return QStringLiteral("Bestätigung");
    }
    return {};
}

QString msgButtonCaption(MsgButton b)
{
    switch (b) {
    case mbOK:
        return QStringLiteral("OK");
    case mbCancel:
        return QStringLiteral("Abbrechen");
    case mbAbort:
        return QStringLiteral("&Abbrechen");
    case mbRetry:
        return QStringLiteral("&Wiederholen");
    case mbIgnore:
        return QStringLiteral("&Ignorieren");
    case mbYes:
        return QStringLiteral("&Ja");
    case mbNo:
        return QStringLiteral("&Nein");
    case mbNone:
        break;
    }
    return {};
}

MessageService& messageService() { return *g_service; }

MessageService* setMessageService(MessageService* service)
{
    MessageService* previous = g_service;
    g_service = service ? service : &g_default;
    return previous == &g_default ? nullptr : previous;
}

MsgButton ZeigeBox(MsgKind kind, const QString& text, MsgButtons buttons, MsgButton defaultButton,
                   const QString& caption)
{
    return messageService().show({kind, caption, text, std::move(buttons), defaultButton});
}

void ZeigeFehler(const QString& text) { ZeigeBox(MsgKind::Fehler, text); }
void ZeigeWarnung(const QString& text) { ZeigeBox(MsgKind::Warnung, text); }
void ZeigeInfo(const QString& text) { ZeigeBox(MsgKind::Information, text); }

bool FrageJaNein(const QString& text, MsgButton defaultButton)
{
    return ZeigeBox(MsgKind::Bestaetigung, text, {mbYes, mbNo}, defaultButton) == mbYes;
}

MsgButton RecordingMessageService::show(const MessageRequest& r)
{
    MsgButton answer = r.defaultButton;
    if (!answers_.isEmpty())
        answer = answers_.takeFirst();
    Entry e{r.kind, r.caption.isEmpty() ? msgKindCaption(r.kind) : r.caption, r.text, r.buttons, answer};
    entries_.append(e);
    if (onShow)
        onShow(e);
    return answer;
}

QStringList RecordingMessageService::texts() const
{
    QStringList out;
    for (const Entry& e : entries_)
        out.append(e.text);
    return out;
}

} // namespace zl
