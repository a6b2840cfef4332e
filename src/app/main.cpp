// qrv: programming software for the QL-210 family of radios.
#include "dialogs/backup_actions.h"
#include "program_directory.h"
#include "radio_data/messages.h"
#include "radio_data/program_files.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "shell/main_frame.h"
#include "shell/message_box.h"
#include "shell/qt_translation.h"

#include <QApplication>
#include <QPixmap>
#include <QSplashScreen>
#include <QTimer>

#include <clocale>
#include <cstdio>
#include <memory>

namespace {

constexpr int kShowMainAfterMs = 1500;
constexpr int kCloseSplashAfterMs = 2500;

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qrv"));
    QApplication::setOrganizationName(QStringLiteral("QRV"));
    std::setlocale(LC_NUMERIC, "C");

    qrv::CSettings settings(qrv::ResolveProgramDirectory(std::nullopt));
    settings.SelectLanguage(settings.StoredLanguageIndex());
    qrv::CQtTranslation startTranslation; // the boxes before the main window's buttons speak the language too
    startTranslation.Select(settings.LanguageIndex());
    for (const qrv::CRefusedFile& refused : qrv::RefusedProgramFiles(settings))
        qrv::ShowText(nullptr, settings, QString::fromStdString(qrv::RefusalText(settings, refused)), QMessageBox::Ok,
                      QMessageBox::Warning);
    if (const auto damaged = settings.DamagedLanguageFile())
        qrv::ShowMessage(nullptr, settings, qrv::msg::kLanguageFileDamaged, QMessageBox::Ok,
                         QString::fromStdString(damaged->string()));
    qrv::PruneBackups(settings);

    auto frame = std::make_unique<qrv::CMainFrame>(settings);
    frame->FileNew(true);
    frame->OpenCommandLineFile(QCoreApplication::arguments());

    // The splash of the language, then the main window maximised.
    const auto picture =
        settings.ProgramDirectory() / (settings.LanguageIndex() != 0 ? "splash_S.jpg" : "splash_E.jpg");
    QSplashScreen splash(QPixmap(QString::fromStdString(picture.string())));
    splash.show();
    // For the start-up benchmark: say when the first window is up, then end.
    if (QCoreApplication::arguments().contains(QStringLiteral("--exit-after-start"))) {
        QCoreApplication::processEvents();
        std::fputs("started\n", stdout);
        std::fflush(stdout);
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    }
    bool shown = false;
    const auto showMain = [&] {
        if (!shown) {
            shown = true;
            frame->showMaximized();
        }
    };
    QTimer::singleShot(kShowMainAfterMs, &splash, showMain);
    QTimer::singleShot(kShowMainAfterMs + kCloseSplashAfterMs, &splash, [&] {
        showMain();
        splash.close();
    });
    const int result = QApplication::exec();
    settings.SetReadOnly(QCoreApplication::arguments().contains(QStringLiteral("--exit-after-start")));
    frame.reset();
    settings.WriteChoices();
    return result;
}
