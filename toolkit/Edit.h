#pragma once

#include <QByteArray>
#include <QLineEdit>

// A single-line edit box. A disabled one only displays its text: it takes
// neither the focus nor input, and a selection in it is kept but not shown.
class TEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TEdit(QWidget* parent = nullptr);

    // The text as 8-bit bytes of the system's encoding. Bytes set through
    // SetLocal8BitText come back unchanged, even where they are no valid text
    // of that encoding (a file name, say) and the box shows them replaced;
    // once the text changes otherwise, its own encoding is returned.
    void SetLocal8BitText(const QByteArray& bytes);
    QByteArray Local8BitText() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void HideDisabledSelection();

    QByteArray FBytes;
    QString FBytesShownAs;
};
