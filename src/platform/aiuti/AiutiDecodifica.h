#pragma once
// The suite's look-up library: it decodes the code typed in a field into
// the description of its master record, reads further fields of that
// record, shows the exchange rate of a currency, and opens the look-up
// window "Aiuto" (FinestraAiuto.h) where the user searches a master table
// and picks a row.
//
// A kind ("Iva", "Conto", "Articolo", ...) names a master table, its key
// column(s) and its description column; a kind written "Table:KeyColumn"
// names them itself. Kinds whose code needs more than the text of the field
// take an extra key (ChiaveAgg): the account class of "Conto", the account
// of "IndSped" and "PdcDicIntenti", the article and the level number of
// "Livello", the two levels and the date of "ArtListino".
//
// Keys of the look-up window: 113 (F2) searches by code, 114 (F3) by
// description, 115 to 123 by the extra columns in turn (by description when
// there are fewer); a negative key -n searches column n - 1 of the list
// (-1 code, -2 description, -3 the first extra column ...).
//
// Everything runs on the user-interface thread; the window waits modally.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Variant.h"
#include "platform/ui/Controllo.h"

namespace dati {
class GestDatabase;
}
namespace menu {
class ClientMenu;
class ContestoProgramma;
}
namespace ui {
class Form;
}

namespace aiuti {

class FinestraAiuto;

// The text the description control receives for a code that does not exist.
inline constexpr const char* kInesistente = "** INESISTENTE **";
// Keys of the look-up.
inline constexpr int kTastoCodice = 113;       // F2
inline constexpr int kTastoDescrizione = 114;  // F3

// The extra key of a kind: nothing (missing), a value, a control whose text
// is read when the key is needed, or a list of those.
class ChiaveAgg {
 public:
  ChiaveAgg() = default;
  // A Missing variant stays missing.
  ChiaveAgg(const vb::Variant& v);  // NOLINT: as the legacy Variant argument
  ChiaveAgg(const char* s) : ChiaveAgg(vb::Variant(s)) {}
  ChiaveAgg(const std::string& s) : ChiaveAgg(vb::Variant(s)) {}
  ChiaveAgg(int v) : ChiaveAgg(vb::Variant(v)) {}
  ChiaveAgg(ui::Controllo& c);
  ChiaveAgg(std::initializer_list<ChiaveAgg> elenco);

  bool Mancante() const { return mancante_; }
  size_t Numero() const { return elementi_.size(); }
  // The value of element i: the text of a control, else the value; Missing
  // beyond the end.
  vb::Variant Valore(size_t i) const;

 private:
  struct Elemento {
    vb::Variant valore;
    ui::Controllo* controllo = nullptr;
  };
  std::vector<Elemento> elementi_;
  bool mancante_ = true;
};

// Values kept by name (letter case ignored): the legacy parameterised
// property ovLeggiPar. A name never written reads as Empty.
class ValoriNominati {
 public:
  vb::Variant ovLeggiPar(const std::string& nome) const;
  void ovLeggiPar(const std::string& nome, const vb::Variant& valore);
  void Svuota() { valori_.clear(); }

 private:
  std::map<std::string, vb::Variant> valori_;
};

// Settings of the look-up windows. Names read: "NomeColN" / "DescColN"
// (caption of a column of the list), "CFHelpRic11", "CFHelpRic12" (kept
// for the callers).
class ParametriAiuti : public ValoriNominati {
 public:
  // Background given to the code box when a row is chosen (the box has
  // the focus again by then).
  long olColBackOk = 0xFFFF80;
};

// The command object of the list: "ForzaPassThrough" (the query goes to
// the engine unchanged), "MargSopra", "MargSotto", "MargSin", "MargDestra"
// (room left around the list, twips: the picture of an article goes there).
class ComandiLista : public ValoriNominati {};

// What the last look-up gave. Names: "RetZeroRec" (1: a look-up that has
// nothing to show returns 1 without opening the window), "MostraImg",
// "RetField" (the column the user picked) and "Text" (its text).
class RisultatoAiuti : public ValoriNominati {
 public:
  ComandiLista ogComlin;
  // A field of the chosen row by name, "Table.Name" or alias; Empty when
  // nothing was chosen or the row has no such field.
  vb::Variant RetVal(const std::string& campo) const;
  std::string RetField() const;
  std::string Text() const;

  // For the window.
  struct Campo {
    std::string nome, qualificatore, tabella;
    vb::Variant valore;
  };
  void ImpostaRiga(std::vector<Campo> riga) { riga_ = std::move(riga); }
  void SvuotaRiga() { riga_.clear(); }

 private:
  std::vector<Campo> riga_;
};

// The four events of the library, raised on the user-interface thread.
class SorgenteEventiAiuti {
 public:
  // The user asked for the main menu from a look-up window.
  std::function<void()> ClsMainMenuFrm;
  // A decode is about to run: pvRitorno False skips it. pvValore is the
  // code, pvSoloDecod True for a decode and False for a look-up.
  std::function<void(const std::string& psId, const std::string& psKeyBase,
                     const std::string& psCampo, vb::Variant& pvValore, vb::Variant& pvSoloDecod,
                     vb::Variant& pvSqlNoFiltro, vb::Variant& pvRitorno)>
      ClsPrepDecod;
  // The keys of a program the window asks the menu to launch: the master
  // table's management, on the chosen code.
  std::function<void(const std::string& psLanciaKeyPrim)> LanciaKeyPrim;
  std::function<void(const std::string& psLanciaKeySec)> LanciaKeySec;
};

// How a kind reads its master table.
struct TipoAiuto {
  std::string tipo;
  std::string tabella;                // the FROM text (a join for "ArtListino")
  std::string selezione;              // the select list, "" = every field
  std::vector<std::string> chiavi;    // key columns of the code; the account has three
  std::vector<std::string> colonneCodice;  // what the list shows as the code, "" = chiavi
  std::string descrizione;            // description column, "" none
  std::string titolo;                 // caption of the look-up window
  std::string ordine;                 // ORDER BY of the list, "" = by the code
  std::vector<std::string> extraPredefinite;  // columns the list always shows
  bool scriviCodice = true;           // a choice writes the code into the box
  bool semeRicerca = true;            // the box's text is the first search text
};
// The kind's table (letter case ignored); "Table:KeyColumn" builds one.
// Raises 5 for a kind the library does not know.
TipoAiuto CercaTipo(const std::string& psTipo);
// The kinds the library knows, for the tests and the documentation.
const std::vector<TipoAiuto>& TipiNoti();

class AiutiDecodifica {
 public:
  AiutiDecodifica();
  ~AiutiDecodifica();
  AiutiDecodifica(const AiutiDecodifica&) = delete;
  AiutiDecodifica& operator=(const AiutiDecodifica&) = delete;

  // Start-up. The library reads the company database through the manager
  // and the connection key, paints codes that do not exist in the error
  // colour and valid ones in the background colour, and launches programs
  // through the menu client; the engine's own handle is kept for the
  // callers' sake. The context gets the menu client when it has none.
  void Inizializza(ui::Form* pgPrincipale, std::shared_ptr<menu::ClientMenu> pgMenuClient,
                   std::shared_ptr<menu::ContestoProgramma>& pgContesto,
                   std::shared_ptr<dati::GestDatabase> pgDb,
                   const std::string& psConnessione, std::shared_ptr<void> pgDbDao,
                   long plColoreSfondo, long plColoreErrore, const std::string& psTipoIcone,
                   const std::string& psFormatData);
  bool Inizializzato() const { return db_ != nullptr; }

  // Decodes the text of `pgCodice`: -1 when the record exists (its
  // description goes into `pgDescr` and the box gets the background
  // colour), 0 when not ("** INESISTENTE **" and the error colour). The
  // names in `pvCampi` come back as the record's values (empty texts when
  // not found); the name "§recmulti§" as the number of records that fit.
  // `psFiltro` is an SQL condition without "Where".
  int16_t DecodCodice(const std::string& psTipo, ui::Controllo& pgCodice, ui::Controllo* pgDescr,
                      const ChiaveAgg& pvParAgg, int16_t piOpz1, const std::string& psOpz3,
                      int16_t piOpz2, std::vector<vb::Variant>& pvCampi,
                      const std::string& psFiltro);
  // The field `psCampo` of the record of code `pvCodice` into `pvValore`
  // (piTipoDato 8: as text; Empty when not found), and the names of
  // `pvCampi` replaced by values. 0 when the record exists, 1 when not.
  vb::Variant LeggiCampoDecod(const std::string& psTipo, const vb::Variant& pvCodice,
                              vb::Variant& pvValore, const ChiaveAgg& pvParAgg, int16_t piZero,
                              int16_t piOpz1, int16_t piTipoDato, const std::string& psCampo,
                              int16_t piOpz2, std::vector<vb::Variant>* pvCampi,
                              const std::string& psFiltro);
  // Decodes against a named table and key column, the description taken
  // from `psCampoDescr`; -1 found, 0 not.
  vb::Variant DecodTabella(const std::string& psTabella, const std::string& psCampoChiave,
                           ui::Controllo& pgCodice, ui::Controllo* pgDescr, int16_t piOpz1,
                           int16_t piOpz2, const vb::Variant& pvOpz,
                           const std::string& psCampoDescr, const vb::Variant& pvOpz2,
                           const vb::Variant& pvOpz3, const std::string& psFiltro);
  // The values of one row of a named table found by its key column:
  // `pvValore` gets the field `psCampo` (as text with piTipoDato 8; the
  // table's description when psCampo is ""), the names in `pvCampi` become
  // the row's values (empty texts when not found). `psFiltro` narrows the
  // row (an SQL condition without "Where"). 0 when the row exists, -1 when
  // not or when the code is empty.
  vb::Variant CercaValore(const std::string& psTabella, const std::string& psCampoChiave,
                          const vb::Variant& pvCodice, vb::Variant& pvValore, int16_t piOpz1,
                          int16_t piTipoDato, const std::string& psCampo, int16_t piOpz2,
                          std::vector<vb::Variant>* pvCampi, const std::string& psFiltro);
  // The code of a grid cell. With a look-up key (F2..F12 or a negative
  // column key) the window of the kind opens on the cell's text; a chosen
  // row writes into `pvValore` its field `psColonna` (its code when the row
  // has no such field) and into `psTesto` its description. Without one the
  // cell's value is decoded: `psTesto` gets the description, or
  // "** INESISTENTE **" for a code that does not exist. 0 when a code was
  // chosen or decoded; -1 otherwise (nothing chosen, nothing to decode, a
  // code that does not exist); 1 when "RetZeroRec" is 1 and nothing fits.
  vb::Variant DecodGriglia(const std::string& psTipo, const std::string& psColonna, vb::Variant& pvValore,
                           std::string& psTesto, int16_t piTasto, const std::string& psOpz1, int16_t piOpz2,
                           int16_t piOpz3, const std::string& psColonneAgg, const ChiaveAgg& pvParAgg,
                           const vb::Variant& pvOpz4, const std::string& psFiltro);

  // The rate of the currency valid at the date (table CambiMonete, the
  // newest row not after the date) shown in `pgCambio` with the mask; the
  // date of that rate into `pvData`. The euro is 1 and the lira the rate
  // set with ImpCambioLira, at the date asked. False when no rate exists
  // (the box and the date are left alone, the date reads 01/01/100).
  vb::Variant LeggiCambio(const std::string& psMoneta, const vb::Variant& pvData,
                          ui::Controllo& pgCambio, vb::Variant& pvDataCambio,
                          const std::string& psMaschera, bool pbOpz1, bool pbOpz2);
  // The company's currency codes and lira rate, for LeggiCambio.
  void ImpMonete(const std::string& psEuro, const std::string& psLira, double pdCambioLira);

  // Opens the look-up window of a kind for a code box (the box's text is
  // the first search text). Result 1 when "RetZeroRec" is 1 and nothing
  // fits (no window), else 0. `piScelto` -1 when the user chose a row: its
  // code is then written into `pgCodice` and its fields are readable
  // through Risultato().
  vb::Variant ApriRicerca(const std::string& psTipo, ui::Controllo& pgCodice,
                          ui::Controllo* pgDescr, int16_t piTasto, ui::Form* pgFormAttiva,
                          const ChiaveAgg& pvParAgg, int16_t& piScelto, int16_t piOpzAiuto,
                          const std::string& psColonne, const std::string& psFiltro);

  // What the last look-up was asked: kind, key, column text, condition.
  struct Richiesta {
    std::string tipo;
    int16_t tasto = 0;
    std::string colonne, filtro;
  };
  const Richiesta& UltimaRichiesta() const { return ultima_; }

  // A named look-up setting (type code 12: a variant): "MostraImg",
  // "DoveMostraImg", "NomeColImg", "DirImgArt", "ImgRapVertOriz",
  // "ImgDimReali".
  void ImpParam(const std::string& psNome, int16_t piTipo, const vb::Variant& pvValore);
  vb::Variant LeggiParam(const std::string& psNome) const { return impostati_.ovLeggiPar(psNome); }

  // The settings of the windows and what the last look-up gave.
  ParametriAiuti& Parametri() { return parametri_; }
  RisultatoAiuti& Risultato() { return risultato_; }

  // The look-up window, loaded on first use and kept.
  FinestraAiuto& FinestraAttiva();
  bool FinestraCaricata() const { return finestra_ != nullptr; }
  // Unloads the window (end of the program).
  void ChiudiFinestre();

  SorgenteEventiAiuti& SorgenteEventi() { return eventi_; }
  // Asks the menu to start the program whose keys LanciaKeyPrim and
  // LanciaKeySec have just given; unset, the menu client's LanciaProgramma
  // of section "Tutti" (nothing without a menu client).
  std::function<void()> LanciaProgramma;
  void Lancia();

  // For the window and the decoders.
  dati::GestDatabase& Db() const;
  const std::string& Connessione() const { return conn_; }
  long ColoreSfondo() const { return coloreSfondo_; }
  long ColoreErrore() const { return coloreErrore_; }
  // Raises ClsPrepDecod; false when the handler refused.
  bool PrepDecod(const std::string& psTipo, ui::Controllo* pgCodice, vb::Variant& pvValore,
                 bool pbSoloDecod);

 private:
  std::shared_ptr<dati::GestDatabase> db_;
  std::string conn_;
  ui::Form* principale_ = nullptr;
  std::shared_ptr<menu::ClientMenu> menu_;
  std::shared_ptr<menu::ContestoProgramma> contesto_;
  std::shared_ptr<void> dao_;
  long coloreSfondo_ = ui::vbWindowBackground;
  long coloreErrore_ = 255;
  std::string tipoIcone_, formatoData_ = "dd/mm/yyyy";
  std::string euro_ = "Euro", lira_ = "L.";
  double cambioLira_ = 1936.27;
  ParametriAiuti parametri_;
  RisultatoAiuti risultato_;
  ValoriNominati impostati_;
  SorgenteEventiAiuti eventi_;
  Richiesta ultima_;
  std::unique_ptr<FinestraAiuto> finestra_;
  // A code box that is never shown, standing for a grid cell in a look-up.
  std::unique_ptr<ui::Form> cella_;
};

}  // namespace aiuti
