#include "design/designcontrols.h"

#include "shell/colorref.h"
#include "shell/error.h"
#include "shell/operationframe.h"
#include "shell/utilities.h"

#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace design {

QCheckBox* NamedCheckBox(const char* name, const char* caption, QWidget* parent)
{
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QPushButton* NamedButton(const char* name, const char* caption, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

void RunNested(QDialog* dialog, const std::function<void()>& nested)
{
    shell::HideWhile hidden(dialog);
    try {
        nested();
    } catch (const shell::Error& error) {
        shell::ShowError(error.message());
    }
}

QHBoxLayout* SaveCancelRow(QDialog* dialog, const char* saveName, const char* cancelName)
{
    QPushButton* save = NamedButton(saveName, "&Save", dialog);
    save->setDefault(true);
    QPushButton* cancel = NamedButton(cancelName, "&Cancel", dialog);
    QObject::connect(save, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : {save, cancel}) {
        button->setMinimumWidth(90);
        row->addWidget(button);
    }
    return row;
}

void PaintField(QLineEdit* field, quint32 background, quint32 text)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, shell::ColorRefToQColor(background));
    palette.setColor(QPalette::Text, shell::ColorRefToQColor(text));
    field->setPalette(palette);
}

} // namespace design
