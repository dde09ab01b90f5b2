#pragma once

#include "app/Prompts.h"

class QWidget;

// The prompts of the running program: Qt message boxes and the date picker dialog.
class QtPrompts : public Prompts
{
public:
    explicit QtPrompts(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    void message(const QString &text) override;
    void information(const QString &text) override;
    void error(const QString &text) override;
    bool confirmYesNo(const QString &text) override;
    bool confirmYesCancel(const QString &text) override;
    void beep() override;
    std::optional<QDate> pickDate(const QDate &initial) override;

private:
    QWidget *m_parent;
};
