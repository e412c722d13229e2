#include "publish/printstudylist.h"

#include "publish/studylistprint.h"
#include "shell/appstate.h"
#include "storage/storetopicsource.h"

#include <QCoreApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>

namespace publish {

void PrintStudyListCommand(shell::AppState& state, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(state.Settings.Program.Title);
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    if (dialog.exec() != QDialog::Accepted)
        return;

    QProgressDialog progress(QStringLiteral("Printing the Study List..."), QStringLiteral("&Cancel"), 0, 1, parent);
    progress.setObjectName(QStringLiteral("PrintProgress"));
    progress.setWindowTitle(state.Settings.Program.Title);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    const storage::StoreTopicSource source(state.resolve(state.TopicStorePath));
    PrintStudyList(state.Settings, source, printer, [&](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    });
}

} // namespace publish
