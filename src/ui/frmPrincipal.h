#pragma once

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "core/random.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QTimer;
class QToolButton;

namespace kombitron {
struct AppState;
class Interaction;
} // namespace kombitron

namespace kombitron::ui {

class frmEstadisticas;
class JobRunner;
class MarkCell;
class TicketGrid;
class WaitingPanel;

// The main window: the base combination, the filter list, the three counters and every command.
// It works on the one AppState; long work (calculation, import, definitive save) runs as jobs of
// its JobRunner with the commands disabled, and closing is refused meanwhile. A calculation that
// reduces is three steps: the job up to the conditioned system, the process window opened from
// its result, then the job that gives the reintegros and saves.
class frmPrincipal : public QMainWindow {
    Q_OBJECT
public:
    frmPrincipal(AppState& state, Interaction& ui, QWidget* parent = nullptr);
    ~frmPrincipal() override;

    // Selectors and options.
    QComboBox* cboTipoJuego;
    QLabel* imgTipoJuego;
    QComboBox* cboTipoCombinacion;
    QComboBox* cboTipoReintegro;
    QCheckBox* chkReintegros;
    QLabel* lblEtqCargarReintegros;
    // The ticket and the reintegros.
    QWidget* picNumeros;
    TicketGrid* gridNumeros;
    QWidget* picReintegros;
    QLabel* lblReintegros;
    MarkCell* lblReintegro[10];
    QLabel* lblTipoCombinacion;
    // Counters.
    QPushButton* cmdCuadroApuDirecto;
    QLabel* lblApuestasIniciales;
    QLabel* lblApuestasCondicionadas;
    QLabel* lblApuestasReducidas;
    // What the reduced system costs per draw and, after a guarantees pass, what it guarantees.
    QLabel* lblCosteSorteo;
    QLabel* lblGarantia;
    QLabel* lblEtqFicheroASCII;
    QLineEdit* txtFicheroASCII;
    // Filter list and commands.
    QLabel* lblCabeceraFiltros;
    QListWidget* lstFiltros;
    QToolButton* lblMenu[7];
    QCheckBox* chkGuardarAutomaticamente;
    WaitingPanel* picVentanaEspera;
    QProgressBar* lblProgressBar;
    QToolButton* picBanner2;

    // True while a calculation (its process window included), an import or a save runs.
    bool isBusy() const { return busy_; }
    // Find a menu action by its object name ("menuGarantias"...).
    QAction* action(const QString& name) const;

    // Opened when the combination kind becomes "Pronóstico Aleatorio": the random-marking window
    // by default (cmdPronosticoAleatorio); tests may put something else here.
    std::function<void(QWidget* parent)> openRandomMarking;

    // Commands (menus and command bar).
    void cmdNuevo();
    void cmdAbrir();
    void cmdGuardar();
    void cmdValidarOnLine();
    void cmdCalculoPrueba();
    void cmdAnalisis();
    void cmdCalculoDefinitivo();
    void cmdGarantias();
    void cmdSalir();
    void cmdResumenFiltros();
    void cmdInformeEliminadas();
    void cmdAyudaOnline();
    void cmdAcercaDe();
    // "Estadísticas de Sorteos": open the statistics window beside this one, or bring it to the front.
    void cmdEstadisticas();
    frmEstadisticas* statisticsWindow() const;
    // "Realizar Escrutinios": the scrutiny window over the reduced system, modal.
    void cmdEscrutinios();
    // "MultiEscrutinio MultiFichero" and "MultiEscrutinio Estadístico", modal.
    void cmdMultiEscrutinioMultiFichero();
    void cmdMultiEscrutinioEstadistico();
    // The system tools, each a modal window of its own.
    void cmdPronosticoAleatorio(QWidget* parent);
    void cmdVisualizarArchivo();
    void cmdAlgebra();
    void cmdSistemasPropios();
    void cmdGeneradorNumeros();
    void cmdGeneradorPorcentajes();
    void openFilterRow(int row);
    void switchFilterRow(int row);

    // Show the state as it is now: selectors, grid, counters, list, title.
    void refreshAll();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    QWidget* buildSelectors();
    QWidget* buildTicket();
    QWidget* buildCounters();
    QWidget* buildFilterList();
    QWidget* buildCommandBar();
    void buildWaitingPanel(QWidget* host);

    void onGameChanged(int index);
    void onKindChanged(int index);
    void onNumberClicked(int number);
    void onRowToggle(int digit);
    void onColumnToggle(int column);
    void onAllToggle();
    void onReintegroClicked(int digit);

    bool unsavedPrompt();
    void resetToNew();
    void applyKindLayout();
    void setCommandsEnabled(bool enabled);
    void startBlinking();
    void stopBlinking();
    void runCalculation();
    void afterConditioning(bool needsReduction, const std::string& crash);
    void finishCalculation();
    void showGuaranteeHeadline(const QString& headline);
    void endCalculation(const std::string& crash);
    void importAsBase();
    void showWaitingPanel();
    void setBusy(bool busy);

    void refreshSelectors();
    void refreshGrid();
    void refreshCounters();
    void refreshFilterList();
    void refreshTitle();
    // An import's marks and bets read, shown while its job still runs.
    void showReadSoFar(const std::array<uint8_t, 50>& numbers, const std::array<uint8_t, 10>& reintegros, int64_t bets);
    void afterGridEdit();

    AppState& state_;
    Interaction& ui_;
    JobRunner* runner_;
    QTimer* blink_;
    Rng blinkRng_{0x5eed};
    bool busy_ = false;
    bool changingKind_ = false;
    bool leaving_ = false;
    bool titleShowsFile_ = false;
    int previousKind_ = 0;
    // The headline of the last guarantees pass over the current reduced system.
    std::string guaranteeHeadline_;
    QPointer<frmEstadisticas> estadisticas_;
};

} // namespace kombitron::ui
