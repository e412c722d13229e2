#pragma once

#include "publish/destinationpicker.h"
#include "publish/publisher.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace shell {
struct AppState;
} // namespace shell

namespace publish {

// The publish dialog: the folder the publication goes to and its form (web folder, single page,
// SCORM 1.2 or SCORM 2004 package). The Study List directory itself is refused as a web folder.
class TPublishForm : public QDialog
{
    Q_OBJECT
public:
    struct Result
    {
        QString destination;
        PublishForm form = PublishForm::WebFolder;
    };

    TPublishForm(const QString& workingDirectory, const QString& listName, QWidget* parent = nullptr);

    Result choice() const;
    void accept() override;

private:
    void createControls(const QString& listName);
    void createLayout();

    QString m_workingDirectory;
    DestinationPicker m_destination;
    QLineEdit* Edit1 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QRadioButton* RadioButton4 = nullptr;
};

// "Publish for the &Web": asks for the destination and the form, publishes the current Study List
// with a progress dialog that can cancel, and offers to open the result in the browser.
// Failures throw shell::Error.
void PublishForWeb(shell::AppState& state, QWidget* parent = nullptr);

} // namespace publish
