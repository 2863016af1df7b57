// The event list of the "Scenario" folder: the Scenario description, one
// event over one or more rows, with Add, Edit, Copy, Delete and Help. The
// shell decides what a row means; this only shows and forwards.
#pragma once

#include <QWidget>

class QListWidget;

namespace qtui {

class ScenarioFolder : public QWidget {
    Q_OBJECT
public:
    explicit ScenarioFolder(QWidget* parent);
    void Refill();
    QListWidget* list() const { return list_; }

private:
    void Press(int button);
    QListWidget* list_;
};

}  // namespace qtui
