#pragma once

// Image commands (`img...`): flat tool buttons with an icon whose tooltip is also the accessible
// name; pointing at one shows a frame around it.
//
//   auto* calc = new ImageButton("imgCalcular", AppIcon::Calculate, "Calcular", this);
//   auto* back = makeVolverButton(this);                       // imgVolver, "Cerrar condición"
//   auto* act = new ActivationButton(this);                    // imgActivar, two pictures
//   act->setActive(isRowActive(state.filterRows[p]));
//   connect(act, &QToolButton::clicked, [&] { toggleRow(row); act->setActive(isRowActive(row)); });

#include <QToolButton>

#include "ui/widgets/icons.h"

namespace kombitron::ui {

class ImageButton : public QToolButton {
    Q_OBJECT
public:
    ImageButton(const QString& name, AppIcon icon, const QString& tooltip, QWidget* parent = nullptr, int iconSide = 32);
};

// imgActivar ("Activar/Desactivar condición"): shows the active or the inactive picture.
class ActivationButton : public ImageButton {
    Q_OBJECT
public:
    explicit ActivationButton(QWidget* parent = nullptr, int iconSide = 32);
    void setActive(bool active);
    bool isActive() const { return active_; }

private:
    bool active_ = false;
};

// imgVolver with the given tooltip ("Cerrar condición" in filter windows, "Cerrar" elsewhere).
ImageButton* makeVolverButton(QWidget* parent, const QString& tooltip = QStringLiteral("Cerrar condición"), int iconSide = 32);

} // namespace kombitron::ui
