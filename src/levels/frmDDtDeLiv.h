#pragma once
// "Dettagli Livelli del DDT": the level rows of one DDT line, listed and
// edited on a line page over the working table DDtLivApp (the rows of the
// DDT's Anno and NumRif and the line's RigLiv, one per pair Livello1,
// Livello2). Each row is priced from the other rows of the line or from
// the price lists with the line's discounts; the totals are kept as rows
// are written and deleted, and handed back to the line when the editor
// closes after changes.
//
// Protocol: the line window sets the inputs and `ofrmRiga`, loads the
// editor (Form_Load: the rows are read and, when asked, the missing pairs
// created), sets `AbilRw`, disables itself and shows the editor modeless.
// The unload calls the line back (ProtRigaLivelli.h).
//
// Source files: frmDDtDeLiv.cpp (frame, fields, keys, timer, closing),
// frmDDtDeLiv_Righe.cpp (query, columns, totals, hooks, creation and
// clean-up), frmDDtDeLiv_Prezzi.cpp (prices and discounts of a row, stock
// display).
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "levels/ProtRigaLivelli.h"
#include "platform/Variant.h"
#include "platform/barre/PaginaRighe.h"
#include "platform/ui/Form.h"
#include "services/UtilDocFattGest.h"

class frmDDtDeLiv : public ui::Form,
                    public barre::ProtFormLinPag,
                    public ScontiLivelli,
                    public UtilDocFattGest::FormPrezzo {
 public:
  frmDDtDeLiv();
  ~frmDDtDeLiv() override;

  // ---- inputs (set by the line before the load)
  ProtRigaLivelli* ofrmRiga = nullptr;
  std::string osParam, osKeySec;
  int16_t oiAnnoMag = 0;
  std::string osRigLiv, osArticolo, osDescArt, osUm, osDescUm;
  double odPercIva = 0, odFatCon = 1;
  std::string osPromozione;
  // Read-only switch of the launch parameter, set by the form framework.
  int oiAbilRW = 1;
  // The write mode given by the line after the load: 0 read-only.
  void AbilRw(int piAbil);

  // ---- discount-rule memory (written only by this editor)
  std::string osArtLisSconto, osArtLisModSconto = "N";
  std::string osScontoQta, osModScontoQta = "N", osScontoTab, osModScontoTab = "N";
  double odQtaPrezzo = 0, odTabPrezzo = 0;

  // ---- the page
  barre::gridlib::PaginaRighe& ogLinPag() { return *mpLinPag; }

  // ---- page protocol
  vb::Variant PersLPaPri(int piOper, vb::Variant& pvRit, std::vector<vb::Variant>& pvArray) override;
  vb::Variant PersLPaDop(int piOper, vb::Variant& pvRit, std::vector<vb::Variant>& pvArray) override;
  std::string ovfrmBookmark() const override { return msBookmark; }
  void SetovfrmBookmark(const std::string& psBookmark) override;
  vb::Variant ovField(int piColIndex, const std::string& psProprieta) override;
  void DatRefresh() override;
  void PersColonne() override;
  void ChiudiFrm() override;
  void MenuFrm() override;
  std::string ButtonComando(const std::string& psKey);
  std::string PrepSql();
  void CalcTotDocum();
  bool VerBookmark(const vb::Variant& pvBook);

  // ---- creation and clean-up of rows
  void CreaRigheLivelli();
  bool MancaLivello(const std::string& psLiv1, const std::string& psLiv2);
  bool CancRecVuoti();

  // ---- prices and discounts of a row
  std::string CercaListino();
  int16_t CercaPrezzo(bool pbSoloSconti);
  void CercaPrezzo() override { CercaPrezzo(true); }
  bool LeggiPrezzo(double& pdPrezzo);
  void AzzMemSconti();
  void ElaboraSconti(bool pbAggPrezzi, bool pbRicalcSconti);
  void SbiancaSconti();
  void CalcScontoTot(bool pbAggPrezzo);
  void MostraScontoTot(bool pbAggPrezzo);
  void MostraScontiDet();
  double QtaTot();
  void CalcPrezzo(int piBaseCalc);
  void CalcDaUnitario();
  void CalcDaTotale();
  double UnitScont();
  double TotScont(double pdValue);
  void CalcLiraEuro();
  void AggPrezziAltri();

  // ---- stock and modes
  void MostraDispGiac();
  void DisabCampiTerminale();
  void AnnullaIns();
  vb::Variant ButtonNuovo();

  // ---- events
  void Form_Load() override;
  void Form_Resize() override;
  void Form_Unload(int& Cancel) override;
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Form_KeyPress(int& KeyAscii) override;
  void ButtonClick(ui::Controllo& barra, const std::string& key) override;
  void Click(ui::Controllo& c) override;
  void GotFocus(ui::Controllo& c) override;
  void LostFocus(ui::Controllo& c) override;
  void KeyUp(ui::Controllo& c, int& KeyCode, int Shift) override;
  void Timer(ui::Controllo& c) override;
  void RowColChange(ui::Controllo& g, const vb::Variant& LastRow, int LastCol) override;
  void SelChange(ui::Controllo& g, int& Cancel) override;
  void txt_GotFocus(int Index);
  void txt_LostFocus(int Index);
  void txt_KeyUp(int Index, int& KeyCode, int Shift);
  void ComHlp_Click(int Index);
  void timLinPag_Timer();

  vb::Variant LeggiPerNome(const std::string& nome) override;
  void ScriviPerNome(const std::string& nome, const vb::Variant& valore) override;
  vb::Variant ChiamaPerNome(const std::string& nome, std::vector<vb::Variant>& argomenti) override;
  ui::Oggetto* OggettoPerNome(const std::string& nome) override;

  ui::Controllo& txt(int n) const { return C("txt", n); }
  ui::Controllo& lab(int n) const { return C("lab", n); }
  ui::Controllo& label1(int n) const { return C("label1", n); }
  ui::Controllo& timLinPag() const { return C("timLinPag"); }
  // The status bar's "Messaggio" panel.
  std::string TestoPannello() const;

  // =====================================================================
  // State, public so that the tests read it as the editor's code does.
  std::array<std::string, 721> msNomeCampo{};
  std::array<std::string, 321> msValPrec{};
  int16_t miCampoCom = -1;
  std::string msCtrlCom;
  int16_t miPassoTimer = 0;
  int16_t miNuovoDopoSalva = 0;
  bool mbChiusura = false;
  bool mbCaricato = false;
  bool mbAggPrezziFinito = true;
  int16_t miQtaTotAttiva = 0;
  // The price shared by every row under level-price flag 0; empty until known.
  vb::Variant mvPrezzoComune;
  std::string msPrezzoTrovato;
  int16_t miPrezzoDaRiga = 0;
  double mdPrezzoAgg = 0;
  std::string msLivello1Agg;
  bool mbPrezzoCambiato = false, mbScontoCambiato = false;
  double mdQtaPrec = 0, mdTotPrec = 0;
  int16_t miRigaCancellata = 0;
  bool mbInCreazione = false;
  std::string msSql;
  std::string msBookmark;
  // Quantity decimals of the company ("Mag.NumDecQta").
  int16_t miNumDecQta = 0;

 private:
  void CreaControlli();
  void MsgPannello(const std::string& psTesto);
  // Text of a box as a number.
  double Num(int n) const;
  double NumLab(int n) const;
  const ParDettaglio& Par() const { return ofrmRiga->ParRiga(); }
  int16_t FlagLiv() const;
  void MostraTotali(double pdQta, double pdTot, const char* psMascQta);
  std::unique_ptr<barre::gridlib::PaginaRighe> mpLinPag;
  int miFlagRigaCol = 0;
};
