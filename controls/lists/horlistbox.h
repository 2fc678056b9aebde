#pragma once

#include "colors.h"

#include <QListWidget>

#include <functional>

// What the two list boxes share: a horizontal scroll extent that follows the
// widest item added through addItem (items added otherwise do not widen it).
class THorizontalExtent
{
public:
    int widest() const { return m_widest; }

protected:
    // True when width is a new widest.
    bool widen(int width);
    void resetExtent() { m_widest = 0; }
    // Gives list a horizontal scroll bar over the widest item, shown only
    // when the view cannot show that item. Showing or hiding the bar lays the
    // view out again, which calls back here; that inner call is ignored.
    void applyExtent(QAbstractScrollArea *list);

private:
    int m_widest = 0;
    bool m_applyingExtent = false;
};

// A list box with a horizontal scroll bar over the widest item added through
// it, and events after horizontal and vertical scrolling.
class THListBox : public QListWidget, public THorizontalExtent
{
    Q_OBJECT

public:
    explicit THListBox(QWidget *parent = nullptr);

    using QListWidget::addItem;
    // Adds text at the end and returns its index.
    int addItem(const QString &text);
    // Removes every item, the extent and the horizontal scroll position.
    void clearItems();
    // The width an item needs: its text plus one average character, at most
    // 65535.
    int textWidth(const QString &text) const;
    // The width the horizontal scroll bar scrolls over.
    int horizontalExtent() const { return widest(); }

    int hScrollPos() const { return m_hPos; }
    int vScrollPos() const { return m_vPos; }

    using NotifyEvent = std::function<void(QObject *sender)>;
    NotifyEvent OnHScroll;
    NotifyEvent OnVScroll;

protected:
    void updateGeometries() override;

private:
    int m_hPos = 0;
    int m_vPos = 0;
};

// The same extent tracking for a list of check boxes, with room for the box;
// each line also has a tick and may have a text colour of its own.
class THCheckListBox : public QListWidget, public THorizontalExtent
{
    Q_OBJECT

public:
    explicit THCheckListBox(QWidget *parent = nullptr);

    using QListWidget::addItem;
    int addItem(const QString &text);
    void clearItems();
    int textWidth(const QString &text) const;
    int horizontalExtent() const { return widest(); }

    // Out-of-range indexes read false and are ignored when written.
    bool checked(int index) const;
    void setChecked(int index, bool value);
    // The text colour of one line; clDefault gives back the list's own.
    void setItemColor(int index, Platform::TColor color);
    QColor itemColor(int index) const;

    using NotifyEvent = std::function<void(QObject *sender)>;
    // The user ticked or unticked a line (not fired for setChecked).
    NotifyEvent OnClickCheck;

protected:
    void updateGeometries() override;

private:
    bool m_settingCheck = false;
};
