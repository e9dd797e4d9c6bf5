#pragma once
// Anchors as the window's controls know them: a control anchored to a side
// keeps its distance to that side of its parent when the parent is resized;
// anchored to both opposite sides it stretches. The distances are taken from
// the control's place when it is anchored (or placed again with place()).

#include <QFlags>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <vector>

namespace veltrano {

enum class Anchor { Left = 1, Top = 2, Right = 4, Bottom = 8 };
Q_DECLARE_FLAGS(Anchors, Anchor)
Q_DECLARE_OPERATORS_FOR_FLAGS(Anchors)

inline constexpr Anchors kAnchorAll = Anchors(Anchor::Left) | Anchor::Top | Anchor::Right | Anchor::Bottom;

class AnchorKeeper : public QObject {
public:
    // Follows the resizes of parent, whose current size is the reference.
    explicit AnchorKeeper(QWidget* parent);

    void anchor(QWidget* child, Anchors anchors);
    // Moves an anchored control and takes its new distances as the rule.
    void place(QWidget* child, const QRect& geometry);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Rule {
        QWidget* child;
        Anchors anchors;
        QRect reference;     // child geometry when the rule was taken
        QSize parentSize;    // parent size at that moment
    };

    void apply(const Rule& rule) const;

    QWidget* m_parent;
    std::vector<Rule> m_rules;
};

}  // namespace veltrano
