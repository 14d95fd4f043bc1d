#include "ui/filters/frmFiltroCR.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/format.h"
#include "core/interaction.h"
#include "core/state.h"
#include "filters/coefficient.h"
#include "filters/percentages_file.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/numeric_line_edit.h"

namespace kombitron::ui {

namespace {
constexpr const char* kPercentagesFilters = "Ficheros de porcentajes (*.TXT)|*.TXT|Todos los archivos (*.*)|*.*|";
constexpr int kSteps = 100;
} // namespace

QString frmFiltroCR::stepText(int step)
{
    return QStringLiteral("%1%2%3").arg(step / 10).arg(QString::fromStdString(numberFormat().decimal)).arg(step % 10);
}

frmFiltroCR::frmFiltroCR(AppState& state, Interaction& ui, QWidget* parent)
    : FilterWindow(state, ui, FilterId::COEFICIENTERENTABILIDAD, QStringLiteral("COEFICIENTE RENTABILIDAD"), parent)
{
    setCloseBoxIgnored(true);
    imgVolver->setToolTip(QStringLiteral("Cerrar"));
    imgVolver->setAccessibleName(QStringLiteral("Cerrar"));
    const auto& params = state_.filters.coeficiente;

    auto* row = new QHBoxLayout;
    auto* steps = new QVBoxLayout;
    auto* head = new QLabel(QStringLiteral("C.R."), this);
    head->setAlignment(Qt::AlignCenter);
    head->setStyleSheet(QStringLiteral("font-weight:bold;"));
    lstCR = new QListWidget(this);
    lstCR->setObjectName(QStringLiteral("lstCR"));
    lstCR->setSelectionMode(QAbstractItemView::MultiSelection);
    lstCR->setFixedWidth(70);
    for (int s = 0; s < kSteps; ++s) lstCR->addItem(stepText(s));
    for (int s = 0; s < kSteps; ++s)
        if (params.ranges[static_cast<size_t>(s)]) lstCR->item(s)->setSelected(true);
    connect(lstCR, &QListWidget::itemClicked, this, &frmFiltroCR::activate);
    steps->addWidget(head);
    steps->addWidget(lstCR, 1);
    row->addLayout(steps);

    auto* panels = new QVBoxLayout;
    fraPorcentajesApostados = panel(QStringLiteral("Porcentajes Probabilidad Apostada"), QStringLiteral("fraPorcentajesApostados"),
                                    txtPorcentajesApostados, true, QStringLiteral("Apostados"));
    fraPorcentajesReales = panel(QStringLiteral("Porcentajes Probabilidad Real"), QStringLiteral("fraPorcentajesReales"),
                                 txtPorcentajesReales, false, QStringLiteral("Reales"));
    panels->addWidget(fraPorcentajesApostados);
    panels->addWidget(fraPorcentajesReales);
    row->addLayout(panels);
    body()->addLayout(row);

    for (size_t i = 0; i < 49; ++i) {
        txtPorcentajesApostados[i]->setText(QString::fromStdString(percentageText(params.played[i])));
        txtPorcentajesReales[i]->setText(QString::fromStdString(percentageText(params.real[i])));
    }

    imgCalcular = new ImageButton(QStringLiteral("imgCalcular"), AppIcon::Calculate, QStringLiteral("Calcular"), this);
    addCommand(imgCalcular);
    connect(imgCalcular, &QToolButton::clicked, this, [this] {
        acceptCheck(checkCoefficientPanels(texts(txtPorcentajesApostados), texts(txtPorcentajesReales)));
    });
}

QGroupBox* frmFiltroCR::panel(const QString& title, const QString& name, std::array<QLineEdit*, 49>& fields, bool played,
                              const QString& suffix)
{
    auto* box = new QGroupBox(title, this);
    box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    for (int n = 1; n <= 49; ++n) {
        QLineEdit* field = nullptr;
        if (played) field = new NumericLineEdit(5, NumericLineEdit::Mode::Decimal, box);
        else {
            field = new QLineEdit(box);
            field->setMaxLength(5);
        }
        field->setObjectName(QStringLiteral("txtPorcentajes%1_%2").arg(suffix).arg(n - 1));
        field->setFixedWidth(48);
        field->setAlignment(Qt::AlignRight);
        auto* label = new QLabel(QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')), box);
        label->setBuddy(field);
        label->setStyleSheet(QStringLiteral("color:#d21f26; font-weight:bold;"));
        const int r = (n - 1) / 10;
        const int c = (n - 1) % 10;
        grid->addWidget(label, r, 2 * c, Qt::AlignRight);
        grid->addWidget(field, r, 2 * c + 1);
        fields[static_cast<size_t>(n - 1)] = field;
    }
    layout->addLayout(grid);

    auto* images = new QHBoxLayout;
    auto* reset = new ImageButton(QStringLiteral("imgINIPorcentajes%1").arg(suffix), AppIcon::ClearAll,
                                  QStringLiteral("Inicializar todos los Porcentajes"), box, 22);
    auto* open = new ImageButton(QStringLiteral("imgAbrirPorcentajes%1").arg(suffix), AppIcon::OpenFile,
                                 QStringLiteral("Abrir Fichero de Porcentajes"), box, 22);
    auto* save = new ImageButton(QStringLiteral("imgGuardarPorcentajes%1").arg(suffix), AppIcon::SaveFile,
                                 QStringLiteral("Guardar Fichero de Porcentajes"), box, 22);
    images->addStretch();
    images->addWidget(reset);
    images->addWidget(open);
    images->addWidget(save);
    layout->addLayout(images);

    auto* target = &fields;
    connect(reset, &QToolButton::clicked, this, [target] {
        for (auto* f : *target) f->setText(QStringLiteral("0"));
    });
    connect(open, &QToolButton::clicked, this, [this, target] { load(*target); });
    connect(save, &QToolButton::clicked, this, [this, target] { this->save(*target); });
    return box;
}

std::array<std::string, 49> frmFiltroCR::texts(const std::array<QLineEdit*, 49>& fields)
{
    std::array<std::string, 49> out;
    for (size_t i = 0; i < 49; ++i) out[i] = fields[i]->text().toStdString();
    return out;
}

void frmFiltroCR::save(const std::array<QLineEdit*, 49>& fields)
{
    FileDialogRequest request;
    request.title = "Guardar Porcentajes";
    request.filters = parseFileFilters(kPercentagesFilters);
    const std::string chosen = ui_.saveFileDialog(request);
    if (chosen.empty()) return;
    acceptCheck(savePercentagesPanel(chosen, texts(fields)));
}

void frmFiltroCR::load(std::array<QLineEdit*, 49>& fields)
{
    FileDialogRequest request;
    request.title = "Cargar Porcentajes";
    request.filters = parseFileFilters(kPercentagesFilters);
    const std::string path = ui_.openFileDialog(request);
    if (path.empty()) return;
    std::array<std::string, 49> values = texts(fields);
    const std::string failure = loadPercentagesPanel(path, values);
    // Fields read before a failure keep their new text.
    for (size_t i = 0; i < 49; ++i) fields[i]->setText(QString::fromStdString(values[i]));
    acceptCheck(failure);
}

bool frmFiltroCR::closing()
{
    std::array<bool, 100> selected{};
    for (int s = 0; s < kSteps; ++s) selected[static_cast<size_t>(s)] = lstCR->item(s)->isSelected();
    return acceptCheck(storeCoefficientWindow(state_.filters.coeficiente, texts(txtPorcentajesApostados),
                                              texts(txtPorcentajesReales), selected));
}

} // namespace kombitron::ui
