#pragma once

#include <functional>
#include <string>

#include "history/service_client.h"
#include "ui/filters/filter_window.h"

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace kombitron::ui {

class GroupPager;
class HitSetField;
class ImageButton;
class JobRunner;
class NumericLineEdit;

// "SORTEOS ANTERIORES": the draws of the current game loaded from the results service ("Cargar",
// a job of its JobRunner; the draws are applied to the state on the UI thread), shared by 20
// groups shown one at a time. A group is validated and stored
// when the window leaves it ("-", "+", "Cerrar condición"); its hit counts are stored at once.
// The frame's close box does nothing.
class frmFiltroSORTEOSANTERIORES : public FilterWindow {
    Q_OBJECT
public:
    frmFiltroSORTEOSANTERIORES(AppState& state, Interaction& ui, QWidget* parent = nullptr);
    ~frmFiltroSORTEOSANTERIORES() override;

    // True while "Cargar" fetches.
    bool isLoading() const;

    // How "Cargar" fetches the draws of a game; the results service unless a test replaces it.
    using DrawsFetcher = std::function<ServiceDrawsResult(const std::string& game)>;
    static void setDrawsFetcher(DrawsFetcher fetcher);

    QGroupBox* fraDatosSorteos = nullptr;
    QPushButton* cmdCargar = nullptr;
    QLabel* lblSorteosCargados = nullptr;   // the count of loaded draws
    QLabel* lblSorteoDESDE = nullptr;
    QLabel* lblTemporadaDESDE = nullptr;
    QLabel* lblSorteoHASTA = nullptr;
    QLabel* lblTemporadaHASTA = nullptr;
    QGroupBox* fraCondiciones = nullptr;
    QLabel* lblNumeroGrupo = nullptr;
    GroupPager* pager = nullptr;            // cmdMENOSBloque, cmdMASBloque
    QComboBox* cboSorteoINI = nullptr;
    QComboBox* cboAnioINI = nullptr;
    QComboBox* cboSorteoFIN = nullptr;
    QComboBox* cboAnioFIN = nullptr;
    QComboBox* cboDia = nullptr;
    HitSetField* aciertos = nullptr;        // txtAciertos / cmdModificar
    NumericLineEdit* txtSorteoMINIMO = nullptr;
    NumericLineEdit* txtSorteoMAXIMO = nullptr;
    QLabel* lblSorteosConsultados = nullptr;
    ImageButton* imgINIGrupo = nullptr;
    ImageButton* imgInformacion = nullptr;
    QFrame* picInformacion = nullptr;       // the table of calculation times

    int group() const;

protected:
    bool closing() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void load();
    void showLoadedDraws();
    void showGroup();
    bool leaveGroup();
    void refreshConsultation();
    void setBusy(bool busy);

    JobRunner* runner_;
    bool filling_ = false;
};

// The information text: approximate times of the filter over bets x draws, measured on this program.
QString previousDrawsTimesTable();

} // namespace kombitron::ui
