#pragma once

#include <QString>
#include <QStringList>

// The items, selection and text of a drop-down, as the code-list services fill and read it. A thin
// adapter copies it into and out of a Qt combo box.
struct CodeCombo
{
    QStringList items;
    int currentIndex = -1;
    QString text; // what the drop-down shows: the selected item, or a text given to it

    void select(int index)
    {
        currentIndex = index >= 0 && index < items.size() ? index : -1;
        text = currentIndex >= 0 ? items.at(currentIndex) : QString();
    }
};
