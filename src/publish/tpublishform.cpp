#include "publish/tpublishform.h"

#include "platform/f1filter.h"
#include "shell/appstate.h"
#include "shell/dialogbuttons.h"
#include "shell/error.h"
#include "shell/filenames.h"
#include "shell/folderbrowser.h"
#include "shell/utilities.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

namespace publish {

TPublishForm::TPublishForm(const QString& workingDirectory, const QString& listName, QWidget* parent)
    : QDialog(parent), m_workingDirectory(workingDirectory), m_destination(this), Edit1(m_destination.edit())
{
    setObjectName(QStringLiteral("TPublishForm"));
    setWindowTitle(QStringLiteral("Press F1 for Help"));
    platform::SetHelpContext(this, 295);
    createControls(listName);
    createLayout();
    RadioButton1->setChecked(true);
    // A new folder beside the list, named after it, is the usual place for a web folder.
    m_destination.browser()->setFolder(QDir(workingDirectory).absoluteFilePath(QStringLiteral("..")));
    Edit1->setText(QDir::toNativeSeparators(
        QDir(m_destination.browser()->folder()).filePath(listName + QStringLiteral("-web"))));
}

void TPublishForm::createControls(const QString& listName)
{
    RadioButton1 = new QRadioButton(QStringLiteral("&Web folder (index.html)"), this);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton2 = new QRadioButton(QStringLiteral("&Single page (") + listName + QStringLiteral(".html)"), this);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton3 = new QRadioButton(QStringLiteral("SCORM &1.2 package (.zip)"), this);
    RadioButton3->setObjectName(QStringLiteral("RadioButton3"));
    RadioButton4 = new QRadioButton(QStringLiteral("SCORM &2004 package (.zip)"), this);
    RadioButton4->setObjectName(QStringLiteral("RadioButton4"));
}

void TPublishForm::createLayout()
{
    auto* group = new QGroupBox(QStringLiteral(" Publish as "), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->setSpacing(10);
    for (QRadioButton* button : {RadioButton1, RadioButton2, RadioButton3, RadioButton4})
        groupLayout->addWidget(button);
    groupLayout->addStretch();

    m_destination.layOut(this, QStringLiteral("Create or Select the Folder to publish to "), group,
                         shell::OkCancelButtons(this, "BitBtn1", "BitBtn2"));
}

TPublishForm::Result TPublishForm::choice() const
{
    PublishForm form = PublishForm::WebFolder;
    if (RadioButton2->isChecked())
        form = PublishForm::SinglePage;
    else if (RadioButton3->isChecked())
        form = PublishForm::Scorm12;
    else if (RadioButton4->isChecked())
        form = PublishForm::Scorm2004;
    return {m_destination.folder(), form};
}

void TPublishForm::accept()
{
    const Result result = choice();
    if (Edit1->text().trimmed().isEmpty() ||
        (result.form == PublishForm::WebFolder &&
         shell::WithTrailingSeparator(result.destination)
                 .compare(shell::WithTrailingSeparator(QDir::cleanPath(m_workingDirectory)), Qt::CaseInsensitive) == 0)) {
        shell::ShowError(QStringLiteral("Files cannot be copied to Project directory."));
        Edit1->setFocus();
        return;
    }
    QDialog::accept();
}

void PublishForWeb(shell::AppState& state, QWidget* parent)
{
    TPublishForm form(state.WorkingDirectory, state.listName(), parent);
    if (form.exec() != QDialog::Accepted)
        return;
    const TPublishForm::Result choice = form.choice();

    QProgressDialog progress(QStringLiteral("Publishing..."), QStringLiteral("&Cancel"), 0, 100, parent);
    progress.setObjectName(QStringLiteral("PublishProgress"));
    progress.setWindowTitle(QStringLiteral("Publish for the Web"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setMinimumWidth(420);
    progress.setAutoReset(false);
    progress.setValue(0);
    const PublishProgress callbacks{[&progress](const QString& file, int percent) {
                                        progress.setLabelText(file.isEmpty() ? QStringLiteral("Publishing...")
                                                                             : QStringLiteral("Publishing ") + file);
                                        progress.setValue(percent);
                                        QApplication::processEvents();
                                    },
                                    [&progress] { return progress.wasCanceled(); }};
    QString result;
    try {
        result = Publish(PublishSource::fromState(state), choice.form, choice.destination, callbacks);
    } catch (const shell::Error& error) {
        progress.close();
        // A cancel was the user's own doing: nothing to report.
        if (error.message() != CancelledMessage())
            throw;
        return;
    }
    progress.close();

    const bool package = choice.form == PublishForm::Scorm12 || choice.form == PublishForm::Scorm2004;
    const QString shown = choice.form == PublishForm::WebFolder ? result + QStringLiteral("/index.html") : result;
    const QString question =
        QStringLiteral("The Study List has been published to ") + QDir::toNativeSeparators(shown) +
        (package ? QStringLiteral(".\nUpload this package to your learning platform. Open the folder that holds it?")
                 : QStringLiteral(".\nOpen it in the browser?"));
    if (shell::AskYesNo(question))
        QDesktopServices::openUrl(QUrl::fromLocalFile(package ? QFileInfo(result).absolutePath() : shown));
}

} // namespace publish
