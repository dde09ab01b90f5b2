#pragma once

#include <QDate>
#include <QString>
#include <optional>

// Everything the core needs to ask or tell the user. The core never opens a window itself: the program
// passes an implementation with real dialogs, tests pass a scripted one.
class Prompts
{
public:
    virtual ~Prompts() = default;

    // A plain box for results and refusals.
    virtual void message(const QString &text) = 0;
    virtual void information(const QString &text) = 0;
    // An error box; it follows a beep.
    virtual void error(const QString &text) = 0;
    // Confirmations: true for 是 (Yes).
    virtual bool confirmYesNo(const QString &text) = 0;
    virtual bool confirmYesCancel(const QString &text) = 0;
    virtual void beep() = 0;
    // The shared date picker, opened on a date; nullopt when the user cancels.
    virtual std::optional<QDate> pickDate(const QDate &initial) = 0;
};
