#pragma once
// Shows the stored ISO dates and date-times of a grid in the locale's short format.
#include <QStyledItemDelegate>

class TDateDelegate : public QStyledItemDelegate {
public:
    explicit TDateDelegate(bool withTime, QObject* parent = nullptr) : QStyledItemDelegate(parent), m_withTime(withTime) {}
    QString displayText(const QVariant& value, const QLocale& locale) const override;
private:
    bool m_withTime;
};
