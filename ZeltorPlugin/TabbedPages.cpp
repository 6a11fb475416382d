#include "TabbedPages.h"

#include "NamedControls.h"
#include "TranslateControls.h"

#include "com/Failure.h"

#include <QTabBar>
#include <QWidget>

#include <algorithm>

namespace ZeltorPlugin {

TabbedPages::TabbedPages(QWidget& page, std::initializer_list<const char*> captions, const QString& containerName)
    : m_strip(Zeltor::named<QTabBar>("tbsTabStrip", &page))
{
    m_strip->setExpanding(false);
    m_strip->setDrawBase(true);
    for (const char* caption : captions) {
        m_strip->addTab(Zeltor::translated(QString::fromUtf8(caption)));
        auto* container = new QWidget(&page);
        container->setObjectName(containerName.arg(m_containers.size()));
        container->setVisible(m_containers.empty());
        m_containers.push_back(container);
    }
    m_switching = QObject::connect(m_strip, &QTabBar::currentChanged, &page,
                                   [this](int tab) { com::ignoreFailure([&] { show(tab); }); });
}

TabbedPages::~TabbedPages()
{
    QObject::disconnect(m_switching);
}

QWidget& TabbedPages::container(int tab) const
{
    return *m_containers.at(static_cast<size_t>(tab));
}

void TabbedPages::show(int tab)
{
    if (tab < 0 || tab >= count() || tab == m_shown)
        return;
    container(tab).show();
    container(tab).raise();
    container(m_shown).hide();
    m_shown = tab;
}

QRect TabbedPages::placeStrip(const QSize& pageSize) const
{
    m_strip->setGeometry(0, 0, pageSize.width(), m_strip->sizeHint().height());
    return {0, m_strip->height(), pageSize.width(), std::max(pageSize.height() - m_strip->height(), 0)};
}

} // namespace ZeltorPlugin
