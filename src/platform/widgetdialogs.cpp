#include "platform/widgetdialogs.h"

#include "platform/fontcolordialog.h"
#include "platform/helpengine.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace platform {

namespace {

QWidget* DialogParent()
{
    return QApplication::activeWindow();
}

// Texts of this program separate lines with LF CR; a box shows them as plain line breaks.
QString ForDisplay(const QString& message)
{
    QString text = message;
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

int Run(QMessageBox::Icon icon, const QString& message, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton escape)
{
    QMessageBox box(icon, QApplication::applicationName(), ForDisplay(message), buttons, DialogParent());
    box.setEscapeButton(escape);
    // Asked over a window the reader draws larger, the box takes that window's font.
    box.setAttribute(Qt::WA_WindowPropagation);
    return box.exec();
}

QFileDialog* MakeFileDialog(const FileRequest& request)
{
    auto* dialog = new QFileDialog(DialogParent(), request.title, request.directory);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setNameFilters(ToQtNameFilters(request.filter));
    if (!request.defaultSuffix.isEmpty())
        dialog->setDefaultSuffix(request.defaultSuffix);
    dialog->setProperty("helpContext", request.helpContext);
    return dialog;
}

} // namespace

QStringList ToQtNameFilters(const QString& filter)
{
    QStringList result;
    for (const auto& [description, patterns] : ParseFilter(filter))
        result.append(description.trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                      QLatin1Char(')'));
    return result;
}

void WidgetDialogs::showError(const QString& message)
{
    Run(QMessageBox::Critical, message, QMessageBox::Ok, QMessageBox::Ok);
}

void WidgetDialogs::showInfo(const QString& message)
{
    Run(QMessageBox::Information, message, QMessageBox::Ok, QMessageBox::Ok);
}

bool WidgetDialogs::askYesNo(const QString& message)
{
    return Run(QMessageBox::Question, message, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

Answer WidgetDialogs::askYesNoCancel(const QString& message)
{
    switch (Run(QMessageBox::Question, message, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                QMessageBox::Cancel)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

bool WidgetDialogs::askYesNoHelp(const QString& message, int helpContext)
{
    for (;;) {
        const int answer = Run(QMessageBox::Question, message,
                               QMessageBox::Yes | QMessageBox::No | QMessageBox::Help, QMessageBox::No);
        if (answer != QMessageBox::Help)
            return answer == QMessageBox::Yes;
        help().showHelp(helpContext);
    }
}

QString WidgetDialogs::openFileName(const FileRequest& request)
{
    std::unique_ptr<QFileDialog> dialog(MakeFileDialog(request));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().constFirst();
}

QStringList WidgetDialogs::openFileNames(const FileRequest& request)
{
    std::unique_ptr<QFileDialog> dialog(MakeFileDialog(request));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFiles);
    return dialog->exec() == QDialog::Accepted ? dialog->selectedFiles() : QStringList();
}

QString WidgetDialogs::chooseFolder(const FileRequest& request)
{
    std::unique_ptr<QFileDialog> dialog(MakeFileDialog(request));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().constFirst();
}

QString WidgetDialogs::saveFileName(const FileRequest& request)
{
    std::unique_ptr<QFileDialog> dialog(MakeFileDialog(request));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    if (!request.confirmOverwrite)
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().constFirst();
}

std::optional<QColor> WidgetDialogs::chooseColor(const QColor& initial)
{
    const QColor color = QColorDialog::getColor(initial, DialogParent(), QString(),
                                                QColorDialog::DontUseNativeDialog);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

std::optional<FontChoice> WidgetDialogs::chooseFont(const QFont& initial, const QColor& initialColor)
{
    FontColorDialog dialog(initial, initialColor, DialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

void WidgetDialogs::beep()
{
    QApplication::beep();
}

} // namespace platform
