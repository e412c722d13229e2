#pragma once

#include <QComboBox>
#include <QList>
#include <optional>

namespace authoring {

// A combo box of named colours drawn as swatches without text: each item is its rectangle filled
// with the list's background, then that rectangle shrunk by 2 pixels on every side (and its left
// edge moved 3 pixels more) filled with the item's colour. Every item carries the stored colour
// reference of its name as its data.
class ColorSwatchBox : public QComboBox
{
    Q_OBJECT
public:
    explicit ColorSwatchBox(QWidget* parent = nullptr);

    // Adds the colour names in order; names that are not colour names are skipped.
    void setColorNames(const QStringList& names);
    // The colour reference of an item, or of the current item when index is -1.
    std::optional<quint32> colorRefAt(int index = -1) const;
    // Selects the first item whose colour is color, or no item.
    void selectColor(const std::optional<QColor>& color);

    // The part of an item's rectangle that shows its colour.
    static QRect SwatchRect(const QRect& itemRect);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace authoring
