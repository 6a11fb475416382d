#pragma once

#include <QMetaObject>
#include <QRect>
#include <QSize>
#include <QString>

#include <initializer_list>
#include <vector>

class QTabBar;
class QWidget;

namespace ZeltorPlugin {

// A page's tab strip ("tbsTabStrip") with one container widget per tab, the containers named by
// the pattern with their position ("pboTab(%1)"). The user's choice of a tab shows its container
// in place of the one shown before; the first is shown at the start. Strip and containers are the
// page's children.
class TabbedPages {
public:
    // The captions are language keys, translated here.
    TabbedPages(QWidget& page, std::initializer_list<const char*> captions, const QString& containerName);
    ~TabbedPages();
    TabbedPages(const TabbedPages&) = delete;
    TabbedPages& operator=(const TabbedPages&) = delete;

    QTabBar& strip() const { return *m_strip; }
    QWidget& container(int tab) const;
    int count() const { return static_cast<int>(m_containers.size()); }

    // Lays the strip across the top of a page of that size: the area below it is the client area
    // returned, for the containers.
    QRect placeStrip(const QSize& pageSize) const;

private:
    void show(int tab);

    QTabBar* m_strip;
    std::vector<QWidget*> m_containers;
    int m_shown = 0;
    // The strip outlives this part among the page's children.
    QMetaObject::Connection m_switching;
};

} // namespace ZeltorPlugin
