#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;

namespace shell {

class FolderBrowser;

// The new-list dialog: a folder (existing or to be created) and a Study List name.
class TMakeDirForm : public QDialog
{
    Q_OBJECT
public:
    struct Result
    {
        QString folder; // with a trailing "/"
        QString name;
    };

    TMakeDirForm(const QString& mask, int helpContext, const QString& prompt, const QString& startFolder,
                 QWidget* parent = nullptr);

    // The message that refuses the name, or empty when it is acceptable.
    static QString NameProblem(const QString& name);

    Result choice() const;
    void accept() override;

private:
    void createControls(const QString& mask, const QString& prompt);

    FolderBrowser* m_browser = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLabel* FileLbl = nullptr;
};

// Shows the dialog; nothing when cancelled.
std::optional<TMakeDirForm::Result> AskNewStudyList(const QString& mask, int helpContext, const QString& prompt,
                                                    const QString& startFolder, QWidget* parent);

} // namespace shell
