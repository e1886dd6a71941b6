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

public:
    explicit elcombo(QWidget *parent = nullptr);

    // Shows the symbol in SymbolOverColor.
    void set_over_state();
    // Shows the symbol in SymbolColor again.
    void set_normal_state();

    // Has no effect: the list draws no shadow. Reads false.
    bool DropShadow() const { return false; }
    void setDropShadow(bool on);
    // The inner list's font.
    QFont Font() const;
    void setFont(const QFont &font);
    QString FontName() const;
    void setFontName(const QString &name);
    float FontSize() const;
    void setFontSize(float points);
    bool FontItalic() const;
    void setFontItalic(bool on);
    bool FontUnderline() const;
    void setFontUnderline(bool on);

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
    // Has no effect.
    void SetList(int donde, const QString &item);
    // Always empty text.
    QString GetList(int donde) const;

    ColorValue ForeColor() const { return m_foreColor; }
    void setForeColor(ColorValue color);
    ColorValue Color3DLight() const { return m_lineB[0].color; }
    void setColor3DLight(ColorValue color);
    ColorValue Color3DDark() const { return m_lineA[0].color; }
    void setColor3DDark(ColorValue color);
    // Have no effect; read 0.
    ColorValue ListBackColor() const { return 0u; }
    void setListBackColor(ColorValue color);
    ColorValue ListForeColor() const { return 0u; }
    void setListForeColor(ColorValue color);
    ColorValue SymbolColor() const { return m_symbolColorField; }
    void setSymbolColor(ColorValue color);
    ColorValue SymbolOverColor() const { return m_symbolOverColor; }
    void setSymbolOverColor(ColorValue color);
    // Kept and saved only; nothing shows it.
    QString List() const { return m_list; }
    void setList(const QString &text);

    // The colour the drop symbol is drawn in right now.
    ColorValue shownSymbolColor() const { return m_symbolColor; }
    // The inner stock list.
    QComboBox *innerList() const;

    void ReadProperties(const PropertyStore &store) override;
    void WriteProperties(PropertyStore &store) const override;

    QSize sizeHint() const override;

signals:
    void Click();

protected:
    int elementAt(const QPointF &pos) const override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class DropList;

    void applyListStyle();
    void placeElements();
    void applyFont(const QFont &font, const QString &property);

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
