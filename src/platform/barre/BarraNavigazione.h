#pragma once
// The record-navigation bar of a record window (`ogComPag`): it binds the
// declared boxes of the window to the columns of one table, and searches,
// inserts, saves, deletes, duplicates, lists and moves on that table, calling
// the window's hooks by name around each operation.
//
// Modes (`oiFlagOpe`): 0 the key is asked (the key container on, the data
// container off, the key hint in the status panel "Messaggio"), 1 a stored
// record is shown, 2 a new record is being typed, 3 between the two steps of
// "Duplica". While the copy of a duplicate is written the mode reads 2.
//
// Hooks: `PersPagPri` before and `PersPagDop` after each operation switched
// on with AbilHook. Arguments, by reference: (0) the operation code, (1)
// pvRit, then the elements of pvArray from (2) on (element i at 2 + i, three
// elements always). A before-hook answering empty or 0 lets the operation
// run, anything else stops it and is the stop value; an error raised by a
// hook is shown and stops the operation the same way.
//
// Choices of ours:
// - Boxes show values through their masks (numbers without one in the plain
//   Italian form, dates as dd/mm/yyyy); an emptied box writes Null; a value
//   that does not read, or an empty mandatory field, refuses the save naming
//   the field, its box in ColoreErrore.
// - An update first reads the row again: a row that another user changed or
//   deleted since it was shown is not written (3197), the values stay
//   pending, and "Aggiorna" shows the stored row.
// - An insert that fails with an error of ErroriRiprova is tried again while
//   the after-hook of code 25 answers 4, at most kMaxTentativi times.
// - Leaving pending changes (moves, "VarKey", "Aggiorna", the list, closing)
//   asks "Salvare le modifiche?": Si saves first, No drops them, Annulla
//   stays.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Barre.h"
#include "platform/Variant.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Motore.h"
#include "platform/ui/Form.h"

namespace dati {
class GestDatabase;
}
namespace menu {
class ContestoProgramma;
}

namespace barre {

// One bound field (`Campi`(column)).
struct CampoBarra {
  std::string osColonna;               // as declared ("|-|G|M|C" for an account triple)
  std::vector<std::string> colonne;    // the stored columns (three for a triple)
  std::vector<dati::TipoCampo> tipi;   // their kinds, from the catalogue
  ui::Controllo* ctl = nullptr;
  std::string descrizione;
  const ui::Controllo* etichetta = nullptr;  // description taken from a caption label
  int parteChiave = 0;
  int opzione5 = 0;
  vb::Variant predefinito;
  int cifre = 0, decimali = 0;
  bool negativi = false;
  bool obbligatorio = false;
  std::string maschera;
  // 2 holds this key part on moves, 0 frees it.
  int oiKeyFisso = 0;
  // The text the box showed when last shown or stored.
  std::string mostrato;
  long coloreOrig = 0;

  std::string Descrizione() const;
  bool Terna() const { return colonne.size() == 3; }
};

// The description of a field: a text, or the caption label that carries it.
struct DescrCampo {
  DescrCampo() = default;
  DescrCampo(const char* t) : testo(t) {}
  DescrCampo(std::string t) : testo(std::move(t)) {}
  DescrCampo(const ui::Controllo& l) : etichetta(&l) {}
  std::string testo;
  const ui::Controllo* etichetta = nullptr;
};

class BarraRecord : public BarraNavigazione {
 public:
  static constexpr int kMaxTentativi = 100;

  BarraRecord();
  ~BarraRecord() override;

  // ---- set-up
  void Contesto(menu::ContestoProgramma* c) { contesto_ = c; }
  void NomeTabella(const std::string& t) { tabella_ = t; }
  const std::string& NomeTabella() const { return tabella_; }
  void OpzioneAvvioA(int v) { opz_[0] = v; }
  void OpzioneAvvioB(int v) { opz_[1] = v; }
  void OpzioneAvvioC(int v) { opz_[2] = v; }
  void OpzioneAvvioD(int v) { opz_[3] = v; }
  void OpzioneAvvioE(int v) { opz_[4] = v; }
  void MsgChiave(const std::string& m) { msgChiave_ = m; }
  void AbilHook(int piOper, bool pbAbil);
  void ErroriRiprova(const std::string& elenco) { erroriRiprova_ = elenco; }
  // The field of `psColonna` bound to `pCtl`; the optional arguments by
  // position: 1 description, 2 key part, 5 an integer, 7 default, 8 size
  // (n.d: digits and decimals, negative: negatives accepted), 9 mandatory,
  // 10 display mask. Positions 3, 4, 6, 11 and the two trailing ones are
  // accepted and unused.
  int DefinisciCampo(const std::string& psColonna, ui::Controllo& pCtl, const DescrCampo& p1 = {},
                     const vb::Variant& p2 = vb::Missing, const vb::Variant& p3 = vb::Missing,
                     const vb::Variant& p4 = vb::Missing, const vb::Variant& p5 = vb::Missing,
                     const vb::Variant& p6 = vb::Missing, const vb::Variant& p7 = vb::Missing,
                     const vb::Variant& p8 = vb::Missing, const vb::Variant& p9 = vb::Missing,
                     const vb::Variant& p10 = vb::Missing, const vb::Variant& p11 = vb::Missing,
                     int p12 = 0, const std::string& p13 = "=");
  void CtrlChiave(ui::Controllo& c) { ctrlChiave_ = &c; }
  void CtrlPrimoDato(ui::Controllo& c) { ctrlPrimoDato_ = &c; }
  ui::Controllo* CtrlPrimoDato() const { return ctrlPrimoDato_; }
  void PicTestata(ui::Controllo& c) { picTestata_ = &c; }
  void PicDettaglio(ui::Controllo& c) { picDettaglio_ = &c; }
  ui::Controllo* PicDettaglio() const { return picDettaglio_; }
  void ColoreTesto(long v) { coloreTesto_ = v; }
  void ColoreTestoDisab(long v) { coloreTestoDisab_ = v; }
  void ColoreErrore(long v) { coloreErrore_ = v; }
  void ColoreSfondo(long v) { coloreSfondo_ = v; }
  long ColoreErrore() const { return coloreErrore_; }
  // The toolbar whose buttons the bar runs and enables; the picture lists
  // give them their pictures (by button key, a letter when none fits).
  void ImpImmagini(const std::string& psTipoIcone, ui::Controllo& pToolbar, ui::Controllo* pImgPiccole = nullptr,
                   ui::Controllo* pImgGrandi = nullptr);
  // Binds the bar to its window, the database connection and the list
  // window (nullptr: none); the list window takes the bar as its base.
  void Collega(ui::Form& pForm, dati::GestDatabase& pDb, const std::string& psConn, ui::Form* pLista = nullptr);

  // ---- commands
  // Runs a key of the bar (keys not its own change nothing); "" when it ran,
  // else why not.
  vb::Variant EseguiTasto(const std::string& psKey);

  // ---- state
  int oiFlagOpe() const override;
  vb::Variant VarDati(int piIndice) override;
  CampoBarra& Campi(const std::string& psColonna);
  std::vector<CampoBarra>& Campi() { return campi_; }
  dati::GestRecordset& OggDati() { return rs_; }
  const std::string& ChiaveDati() const { return chiaveDati_; }
  vb::Variant LeggiVarBarra(const std::string& psNome, int piTipo = vb::vbString) const;
  void ScriviVarBarra(const std::string& psNome, int piTipo, const vb::Variant& pvValore);
  void ImpModo(int piModo);
  int TransPropria() const { return transPropria_; }
  void SetTransPropria(int v) { transPropria_ = v ? -1 : 0; }
  // Below 0 when the last write did not reach the table (-1 lost by a
  // rollback, -2 the row is gone); 0 when it stands.
  long StatoRecord(int piOpz);
  // The answer for a write that did not stand: the message, shown, as the
  // refusal of the save; "" for a state of 0 or more.
  vb::Variant MostraRecord(long plStato, int piOpz, const vb::Variant& pvCampi = vb::Missing);
  // The value typed in the box of a column (Null when empty, the text
  // itself when it does not read).
  vb::Variant ValoreCampo(const std::string& psColonna);

  // ---- field events of the window
  std::string CampoGotFocus(ui::Controllo& c);
  void CampoGotFocusDati(const std::string& psColonna, const vb::Variant& = vb::Missing,
                         const vb::Variant& = vb::Missing, bool = true);
  void CampoLostFocus(const std::string& psColonna, const vb::Variant& = vb::Missing,
                      const vb::Variant& = vb::Missing);
  void CampoModificato(int piOpz);
  void CampoCambiato() {}

  bool PuoChiudere();
  // The last query that read a record (legacy dialect).
  const std::string& UltimaSql() const { return ultimaSql_; }
  // The queries of the last move, in the order they ran.
  const std::vector<std::string>& SqlUltimaMossa() const { return ultimeSql_; }
  // The list window closed: it stays bound, and "Lista" loads it again.
  void ChiudiLista(int) override {}
  bool MostraDaLista(const std::vector<std::pair<std::string, vb::Variant>>& chiave) override;

  // ---- form framework
  int oiAbilRW() const override { return abilRW_; }
  void SetoiAbilRW(int v) override;
  std::string TastoPremuto(int piKeyCode) override;
  vb::Variant ovLeggiPar(const std::string& psNome) const override;
  void SetovLeggiPar(const std::string& psNome, const vb::Variant& pvValore) override;

 private:
  vb::Variant TornaAllaChiave();
  // hooks
  vb::Variant Prima(int op, vb::Variant& rit, std::vector<vb::Variant>& arr);
  void Dopo(int op, vb::Variant& rit, std::vector<vb::Variant>& arr);
  vb::Variant Chiama(const std::string& nome, int op, vb::Variant& rit, std::vector<vb::Variant>& arr);
  bool Abilitato(int op) const;

  // modes and showing
  void CambiaModo(int m);
  void SistemaBottoni();
  void Svuota(bool predefiniti, bool tieniChiave);
  void MostraValori();
  void MostraLetto();
  void RecordVuoto();
  bool Inserisci(vb::Variant& rit);
  void Memorizza();
  bool Cerca(const std::string& dove);
  bool LeggiChiaveDigitata(std::string& dove);
  std::string CondizioneChiave(const std::map<std::string, vb::Variant>& valori) const;

  // commands
  vb::Variant Ricerca();
  vb::Variant Nuovo();
  vb::Variant Salva();
  vb::Variant Annulla();
  vb::Variant VarKey();
  vb::Variant Cancella();
  vb::Variant Duplica();
  vb::Variant Lista();
  vb::Variant Muovi(const std::string& verso);
  vb::Variant Rileggi();
  bool Abbandona();

  // values
  bool LeggiBox(CampoBarra& c, std::vector<vb::Variant>& out, std::string& errore) const;
  std::string TestoDi(const CampoBarra& c, const std::vector<vb::Variant>& v) const;
  bool ValoriDaBox(std::map<std::string, vb::Variant>& valori, std::string& errore);
  vb::Variant ScriviRiga(bool nuovo, const std::map<std::string, vb::Variant>& valori, bool& scritto);
  void Messaggio(const std::string& testo) const;
  void PannelloMessaggio(const std::string& testo) const;
  bool RiprovaErrore(long n) const;
  int TipoSql(dati::TipoCampo t) const;
  void LeggiTipi();

  ui::Form* form_ = nullptr;
  dati::GestDatabase* db_ = nullptr;
  std::string conn_;
  ui::Form* lista_ = nullptr;
  menu::ContestoProgramma* contesto_ = nullptr;
  std::string tabella_;
  int opz_[5] = {0, 0, 0, 0, 0};
  std::string msgChiave_;
  std::vector<int> hook_;
  std::string erroriRiprova_;
  std::vector<CampoBarra> campi_;
  ui::Controllo* ctrlChiave_ = nullptr;
  ui::Controllo* ctrlPrimoDato_ = nullptr;
  ui::Controllo* picTestata_ = nullptr;
  ui::Controllo* picDettaglio_ = nullptr;
  ui::Controllo* toolbar_ = nullptr;
  long coloreTesto_ = ui::vbWindowText, coloreTestoDisab_ = ui::vbGrayText, coloreErrore_ = 255,
       coloreSfondo_ = ui::vbWindowBackground;
  int modo_ = 0;
  bool inScrittura_ = false;  // an insert of a duplicate reads as mode 2
  int transPropria_ = -1;
  int abilRW_ = 1;
  bool impModoNuovo_ = false;
  bool inRicerca_ = false;
  std::map<std::string, vb::Variant> variabili_;  // folded name
  std::map<std::string, vb::Variant> parametri_;  // ovLeggiPar
  dati::GestRecordset rs_;
  std::string chiaveDati_;
  // The stored row as last read or written (folded column -> value).
  std::map<std::string, vb::Variant> letti_;
  std::map<std::string, vb::Variant> scritti_;
  bool haRiga_ = false;
  std::string errore_;     // column of the field that refused the last save
  std::string ultimaSql_;  // the last read of a record
  std::vector<std::string> ultimeSql_;
};

}  // namespace barre
