#pragma once
// frmSpecialCharacters, "Special Characters": every code from 32 to 255 in
// a 7 by 32 grid, in the font of the field the user came from, and a small
// field that collects the characters to insert. It reads the exchange
// variables when it opens and leaves the text to insert in strSpecialText
// when it closes (empty for nothing). InsertSpecialCharacter shows it.
#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QTableWidget;

namespace vel {

class ByteLineEdit;

class frmSpecialCharacters : public QDialog {
    Q_OBJECT
public:
    static constexpr int kRows = 7;
    static constexpr int kColumns = 32;
    static constexpr int kFirstCode = 32;
    static constexpr int kFieldLimit = 16;
    static constexpr int kSamplePoints = 72;

    // Built from strSpecialFont and strSpecialText; strRomanFont is the
    // chosen text font of the captions, buttons and the label under the grid.
    explicit frmSpecialCharacters(QWidget* owner, const QString& strRomanFont = QString());

    static int CodeAt(int row, int column) { return kFirstCode + kColumns * row + column; }

    QLabel* lblDescription = nullptr;
    ByteLineEdit* txtCharacters = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QTableWidget* grdChars = nullptr;
    QFrame* picSampleContainer = nullptr;
    QLabel* lblSample = nullptr;
    QLabel* lblCharacter = nullptr;

public slots:
    // "Cancel", Esc and the close box: nothing to insert.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void PlaceControls();
    void FillGrid();
    void ShowCell(int row, int column);
    void ShowFieldSample();
    // Double-click or Enter: the cell's character into the collecting field,
    // in place of the selection it had when the grid took the focus.
    void PutCharacter(int row, int column);
    void Insert();

    // The collecting field's selection as it was when it lost the focus,
    // since a field drops its selection then.
    int keptStart_ = 0;
    int keptLength_ = 0;
    int keptCaret_ = 0;
    bool kept_ = false;
};

}  // namespace vel
