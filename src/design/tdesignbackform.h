#pragma once

#include "design/backgrounddesign.h"

#include <QDialog>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;

namespace authoring {
class FileGroup;
}

namespace design {

// The background designer shared by its four variants: the kind of a screen's background
// (colour, stretched graphic, tiled BMP wallpaper), its colour and its file, picked from the Study
// List directory or found elsewhere and copied in. It works on a copy of the four background
// fields; the variant classes hand their record in and take the result back on OK.
class TDesignBackForm : public QDialog
{
    Q_OBJECT
public:
    // The working fields; after OK they hold what the dialog confirmed.
    const runtime::BackgroundFields& fields() const { return m_fields; }
    int selectedKind() const;
    const BackDesignVariant& variant() const { return m_variant; }

    // Operations behind the controls, public so tests can drive them without clicking.
    void selectKind(int kind);
    void chooseColor();
    void fileListClicked(int list, const QString& name);
    void fileListDoubleClicked(int list, const QString& name);
    void nameFieldClicked(int list);
    void findFile(int list);
    void accept() override;

protected:
    TDesignBackForm(const BackDesignVariant& variant, const runtime::BackgroundFields& fields,
                    const QString& directory, QWidget* parent);

    // "View" of the program variant and "&Adjust Window" of the others.
    virtual void ViewBitBtnClick() {}
    virtual void WindowBtnClick() {}

    bool eventFilter(QObject* watched, QEvent* event) override;

    QString m_directory;

private:
    void createControls();
    void createLayout();
    void showGroupOf(int kind);
    void showName(int list, const QString& name);
    authoring::FileGroup* groupOf(int list) const;
    QString& fieldOf(int list);

    BackDesignVariant m_variant;
    runtime::BackgroundFields m_fields;
    bool m_finding = false;
    bool m_found = false;

    QGroupBox* ScreenTypeGrpBx = nullptr;
    QRadioButton* ColorRBtn = nullptr;
    QRadioButton* GraphicRBtn = nullptr;
    QRadioButton* WallpaperRBtn = nullptr;
    QGroupBox* ColorGrpBx = nullptr;
    QFrame* Panel1 = nullptr;
    QPushButton* Button3 = nullptr;
    authoring::FileGroup* GraphicGrpBx = nullptr;
    authoring::FileGroup* WallpaperGrpBx = nullptr;
    QPushButton* ViewBitBtn = nullptr;
    QLabel* AjdjustLl = nullptr;
    QPushButton* WindowBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

} // namespace design
