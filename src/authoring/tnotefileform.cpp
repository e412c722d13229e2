#include "authoring/tnotefileform.h"

#include "platform/f1filter.h"
#include "runtime/thnotesform.h"

#include <QDir>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace authoring {

namespace {
constexpr int kHelpNotesFile = 590;
}

TNoteFileForm::TNoteFileForm(const QString& fileName, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TNoteFileForm"));
    setWindowTitle(QStringLiteral("Press F1 for Help"));
    platform::SetHelpContext(this, kHelpNotesFile);
    createControls(fileName);
}

void TNoteFileForm::createControls(const QString& fileName)
{
    auto* group = new QGroupBox(QStringLiteral(" Enter Text Filename "), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    Edit1 = new QLineEdit(group);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(kMaxNameLength);
    Edit1->setText(fileName);
    Edit1->setMinimumWidth(320);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(Edit1);

    ViewBtn = new QPushButton(QStringLiteral("&View"), this);
    ViewBtn->setObjectName(QStringLiteral("ViewBtn"));
    // The Study List directory is the current directory while a list is open.
    connect(ViewBtn, &QPushButton::clicked, this,
            [this] { runtime::OpenNotesEditor(Edit1->text(), QDir::currentPath(), this); });
    OKBtn = new QPushButton(QStringLiteral("&OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(OKBtn, &QPushButton::clicked, this, &TNoteFileForm::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &TNoteFileForm::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ViewBtn);
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* main = new QVBoxLayout(this);
    main->addWidget(group);
    main->addLayout(buttons);
}

QString TNoteFileForm::fileName() const
{
    return Edit1->text();
}

bool EditNotesFileName(QString& fileName, QWidget* parent)
{
    TNoteFileForm form(fileName, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    fileName = form.fileName();
    return true;
}

} // namespace authoring
