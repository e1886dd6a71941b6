#pragma once

#include "controls/skinnedcontrol.h"

class QComboBox;

// The skinned drop-down list: a sunken one-line field, 300 twips high and at
// least 1425 twips wide, that clips a stock drop-down list (`Combo1`) so its
// own frame is hidden, with a drawn drop symbol over the list's drop button.
// Click is raised on every selection the user makes and on SetListIndex.
// The control itself takes the focus, in the Tab order like any control, and
// hands its keys to the list: Up and Down choose, Alt+Down and F4 open it.
// The wheel chooses only while the control has the focus, so scrolling the
// window past it changes nothing. The open list drops below the field.
class elcombo : public SkinnedControl
{
    Q_OBJECT
    Q_CLASSINFO("StoredValues", "BackColor ForeColor Enabled List Color3DLight Color3DDark SymbolColor "
                                "SymbolOverColor Font FontName FontSize FontItalic FontUnderline")

public:
    Q_INVOKABLE explicit elcombo(QWidget *parent = nullptr);

    // Shows the symbol in SymbolOverColor.
    void set_over_state();
    // Shows the symbol in SymbolColor again.
    void set_normal_state();

    // Has no effect: the list draws no shadow. Reads false.
    bool DropShadow() const { return false; }
    void setDropShadow(bool on);

    // Empties the list.
    void Clear();
    // Appends item at the end of the list; the selection stays as it was.
    void AddItem(const QString &item);
    // Removes entry donde when 0 <= donde < ListCount(); otherwise nothing.
    void RemoveItem(int donde);
    // Selects entry donde and raises Click when 0 <= donde < ListCount(); otherwise nothing.
    void SetListIndex(int donde);
    // The selected entry, -1 when none.
    int GetListIndex() const;
    // The number of entries.
    int ListCount() const;
    // Has no effect. SetList and the stored List (setList) are both named by the system.
    void SetList(int donde, const QString &item);
    // Always empty text.
    QString GetList(int donde) const;

    // The colour of the list's text.
    Q_PROPERTY(ColorValue ForeColor READ ForeColor WRITE setForeColor NOTIFY designChanged)
    ColorValue ForeColor() const { return m_foreColor; }
    void setForeColor(ColorValue color);
    // Have no effect; read 0.
    ColorValue ListBackColor() const { return 0u; }
    void setListBackColor(ColorValue color);
    ColorValue ListForeColor() const { return 0u; }
    void setListForeColor(ColorValue color);
    // The drop symbol's colour at rest and under the pointer.
    Q_PROPERTY(ColorValue SymbolColor READ SymbolColor WRITE setSymbolColor NOTIFY designChanged)
    Q_PROPERTY(ColorValue SymbolOverColor READ SymbolOverColor WRITE setSymbolOverColor NOTIFY designChanged)
    ColorValue SymbolColor() const { return m_symbolColorField; }
    void setSymbolColor(ColorValue color);
    ColorValue SymbolOverColor() const { return m_symbolOverColor; }
    void setSymbolOverColor(ColorValue color);
    // Kept and stored only; nothing shows it.
    Q_PROPERTY(QString List READ List WRITE setList NOTIFY designChanged)
    QString List() const { return m_list; }
    void setList(const QString &text);

    // The inner stock list.
    QComboBox *innerList() const;

    QSize sizeHint() const override;

protected:
    int elementAt(const QPointF &pos) const override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    // The inner list, open or not, shows the control's font.
    void fontChanged() override;
    void edgeColorsChanged() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class DropList;

    void applyListStyle();
    void placeElements();

    QWidget *m_field = nullptr;       // `Picture2`, the clipping field
    DropList *m_combo = nullptr;      // `Combo1`
    QWidget *m_symbolBox = nullptr;   // `Picture1` with the drop symbol `Label2`
    EdgeLine m_lineA[2];              // top, left (dark)
    EdgeLine m_lineB[2];              // right, bottom (light)
    ColorValue m_foreColor;
    ColorValue m_symbolColor;         // the symbol as shown
    ColorValue m_symbolColorField;
    ColorValue m_symbolOverColor;
    QString m_list;
};
