#include "QtPrompts.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString title()
{
    return QApplication::applicationDisplayName();
}

} // namespace

void QtPrompts::message(const QString &text)
{
    QMessageBox::information(m_parent, title(), text);
}

void QtPrompts::information(const QString &text)
{
    QMessageBox::information(m_parent, QStringLiteral("提示"), text);
}

void QtPrompts::error(const QString &text)
{
    QApplication::beep();
    QMessageBox::critical(m_parent, QStringLiteral("错误"), text);
}

bool QtPrompts::confirmYesNo(const QString &text)
{
    return QMessageBox::question(m_parent, QStringLiteral("确认"), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

bool QtPrompts::confirmYesCancel(const QString &text)
{
    return QMessageBox::question(m_parent, QStringLiteral("确认"), text, QMessageBox::Yes | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Yes;
}

void QtPrompts::beep()
{
    QApplication::beep();
}

std::optional<QDate> QtPrompts::pickDate(const QDate &initial)
{
    QDialog dialog(m_parent);
    dialog.setWindowTitle(QStringLiteral("选择日期"));
    auto *calendar = new QCalendarWidget(&dialog);
    calendar->setFirstDayOfWeek(Qt::Sunday);
    calendar->setSelectedDate(initial);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定(&O)"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消(&C)"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(calendar);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return calendar->selectedDate();
}
