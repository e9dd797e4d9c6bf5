#include "app/anchors.h"

#include <QEvent>

#include <algorithm>

namespace veltrano {

AnchorKeeper::AnchorKeeper(QWidget* parent)
    : QObject(parent)
    , m_parent(parent)
{
    parent->installEventFilter(this);
}

void AnchorKeeper::anchor(QWidget* child, Anchors anchors)
{
    for (Rule& rule : m_rules) {
        if (rule.child == child) {
            rule = Rule{child, anchors, child->geometry(), m_parent->size()};
            return;
        }
    }
    m_rules.push_back(Rule{child, anchors, child->geometry(), m_parent->size()});
}

void AnchorKeeper::place(QWidget* child, const QRect& geometry)
{
    child->setGeometry(geometry);
    for (Rule& rule : m_rules) {
        if (rule.child == child) {
            rule.reference = geometry;
            rule.parentSize = m_parent->size();
        }
    }
}

bool AnchorKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_parent && event->type() == QEvent::Resize) {
        for (const Rule& rule : m_rules)
            apply(rule);
    }
    return false;
}

namespace {

// One axis: start and length of the child after the parent grew by delta.
void follow(bool nearSide, bool farSide, int delta, int& start, int& length)
{
    if (nearSide && farSide)
        length += delta;
    else if (farSide)
        start += delta;
    else if (!nearSide)
        start += delta / 2;  // neither side: stays centred in its share
}

}  // namespace

void AnchorKeeper::apply(const Rule& rule) const
{
    int x = rule.reference.x();
    int y = rule.reference.y();
    int width = rule.reference.width();
    int height = rule.reference.height();
    follow(rule.anchors.testFlag(Anchor::Left), rule.anchors.testFlag(Anchor::Right),
           m_parent->width() - rule.parentSize.width(), x, width);
    follow(rule.anchors.testFlag(Anchor::Top), rule.anchors.testFlag(Anchor::Bottom),
           m_parent->height() - rule.parentSize.height(), y, height);
    rule.child->setGeometry(x, y, std::max(width, 0), std::max(height, 0));
}

}  // namespace veltrano
