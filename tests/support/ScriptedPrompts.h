#pragma once

#include "app/Prompts.h"

#include <QDate>
#include <QList>
#include <QStringList>

// Prompts for tests: answers come from queues, every message is recorded in order as "kind: text".
// An unanswered confirmation says no; an unanswered date pick is cancelled.
class ScriptedPrompts : public Prompts
{
public:
    QStringList log;
    QList<bool> confirmAnswers;
    QList<std::optional<QDate>> dateAnswers;
    QList<QDate> datesShown; // the dates the picker was opened on

    void message(const QString &text) override { log << QStringLiteral("message: ") + text; }
    void information(const QString &text) override { log << QStringLiteral("information: ") + text; }
    void error(const QString &text) override { log << QStringLiteral("error: ") + text; }
    bool confirmYesNo(const QString &text) override
    {
        log << QStringLiteral("confirm: ") + text;
        return confirmAnswers.isEmpty() ? false : confirmAnswers.takeFirst();
    }
    bool confirmYesCancel(const QString &text) override
    {
        log << QStringLiteral("confirm: ") + text;
        return confirmAnswers.isEmpty() ? false : confirmAnswers.takeFirst();
    }
    void beep() override { log << QStringLiteral("beep"); }
    std::optional<QDate> pickDate(const QDate &initial) override
    {
        datesShown << initial;
        return dateAnswers.isEmpty() ? std::nullopt : dateAnswers.takeFirst();
    }
};
