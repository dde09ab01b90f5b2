// 成鉴通: start-up. The title (and with it the edition) is set first, then the data module connects
// and opens the working year's list, then the main window opens and the message loop runs. The data
// module is destroyed last, disconnecting the database.

#include "app/Edition.h"
#include "app/J_dmA.h"
#include "mainwindow/J_MainA.h"
#include "pickers/QtPrompts.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString title = Edition::defaultTitle();
    QApplication::setApplicationName(QStringLiteral("chengjiantong"));
    QApplication::setApplicationDisplayName(title);

    QtPrompts prompts;
    TJ_dm1 dm(QApplication::applicationDirPath(), &prompts, title);
    int result;
    {
        TJ_MainAForm mainForm(&dm);
        prompts.setParent(&mainForm);
        mainForm.show();
        result = QApplication::exec();
        prompts.setParent(nullptr);
    }
    return result;
}
