// The program entry: the application with its look and Chinese standard
// texts, the data directory, and the window with the real services.

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>
#include <system_error>

#include "app/data_directory.h"
#include "app/main_window.h"
#include "app/program_look.h"
#include "app/qt_dialogs.h"

namespace {

// Standard buttons, the calendar popup and the input dialog speak Chinese
// whatever the desktop's language.
void speakChinese(QApplication& application, QTranslator& translator) {
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);
    if (translator.load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(&translator);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The user's data directory is ~/.local/share/paylog.
    application.setApplicationName(QStringLiteral("paylog"));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.paylog"));
    QTranslator translator;
    speakChinese(application, translator);
    paylog::applyProgramLook(application);

    std::error_code error;
    const std::filesystem::path userDirectory =
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();
    const std::filesystem::path dataDirectory = paylog::chooseDataDirectory(
        QCoreApplication::applicationDirPath().toStdString(), userDirectory, error);
    paylog::QtDialogs dialogs;
    if (error) {
        // Nowhere to keep the log: better to say so than to lose every entry.
        dialogs.showMessage(
            {.text = paylog::joinTexts(
                 {paylog::gbk("无法创建数据文件夹“"), paylog::gbk(userDirectory.string()),
                  paylog::gbk("”（"), paylog::gbk(error.message()),
                  paylog::gbk(
                      "），程序所在的文件夹也不能写入，加班记录无处保存。"
                      "请确认该文件夹可以创建和写入，或把程序放到可以写入的文件夹中再运行。")}),
             .icon = paylog::MessageIcon::Error});
        return 1;
    }

    paylog::MainWindow window({.dialogs = dialogs,
                               .clock = paylog::systemDateTime,
                               .dataDirectory = dataDirectory,
                               .wait = paylog::waitHandlingEvents,
                               .kdfLimits = paylog::KdfLimits::interactive(),
                               .selectedMonthText = {}});
    // A start-up stopped at the password gate ends the run; the window's
    // shutdown runs as it goes away.
    if (!window.startedUp()) return 0;
    window.show();
    application.exec();
    return 0;
}
