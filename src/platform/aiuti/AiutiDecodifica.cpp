#include "platform/aiuti/AiutiDecodifica.h"

#include <algorithm>

#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/aiuti/FinestraAiuto.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Recordset.h"
#include "platform/menu/ClientMenu.h"
#include "platform/menu/ContestoProgramma.h"
#include "platform/ui/Form.h"

namespace aiuti {

namespace {

constexpr const char* kRecMulti = "§recmulti§";
constexpr const char* kNessunLivello = "~ç~";

// The kinds the program hands to the decoders and the look-ups.
TipoAiuto T(const char* tipo, const char* tabella, const char* chiave, const char* descr,
            const char* titolo) {
  TipoAiuto t;
  t.tipo = tipo;
  t.tabella = tabella;
  t.chiavi = {chiave};
  t.descrizione = descr;
  t.titolo = titolo;
  return t;
}

std::vector<TipoAiuto> CostruisciTipi() {
  std::vector<TipoAiuto> v;
  TipoAiuto conto = T("Conto", "PianoConti", "Gruppo", "Descrizione", "Piano dei conti");
  conto.chiavi = {"Gruppo", "Mastro", "Conto"};
  conto.ordine = "Gruppo, Mastro, Conto";
  v.push_back(conto);
  v.push_back(T("Articolo", "Articoli", "Articolo", "Descrizione", "Articoli"));
  v.push_back(T("ArticoloCod", "Articoli", "Articolo", "Descrizione", "Articoli"));
  v.push_back(T("Livello", "Livelli", "Livello", "Descrizione", "Livelli"));
  v.push_back(T("ArtUm", "UnitaMisura", "UM", "Descrizione", "Unità di misura"));
  TipoAiuto listino = T("ArtListino", "ArtListini", "Articolo", "Descrizione", "Listini dell'articolo");
  // The list names the price list; the code box holds the article and keeps it.
  listino.tabella = "ArtListini INNER JOIN Listini AS Listino ON ArtListini.Listino = Listino.Listino";
  listino.selezione = "ArtListini.*, Listino.Descrizione, Listino.Ivato, Listino.Moneta";
  listino.chiavi = {"ArtListini.Articolo"};
  listino.colonneCodice = {"ArtListini.Listino"};
  listino.descrizione = "Listino.Descrizione";
  listino.ordine = "ArtListini.Listino, ArtListini.DataInizio";
  listino.extraPredefinite = {"Prezzo", "PrezzoLire", "DataInizio", "DataFine"};
  listino.scriviCodice = false;
  listino.semeRicerca = false;
  v.push_back(listino);
  v.push_back(T("ArtClasseAttr", "ArtClassiAttr", "ArtClasseAttr", "Descrizione", "Classi di attributi"));
  v.push_back(T("Listino", "Listini", "Listino", "Descrizione", "Listini"));
  v.push_back(T("Moneta", "Monete", "Moneta", "Descrizione", "Monete"));
  v.push_back(T("Pagamento", "Pagamenti", "Pagamento", "Descrizione", "Pagamenti"));
  v.push_back(T("Banca", "Banche", "Banca", "Descrizione", "Banche"));
  v.push_back(T("Iva", "TabIva", "Iva", "Descrizione", "Codici IVA"));
  v.push_back(T("Spesa", "Spese", "Spesa", "Descrizione", "Spese"));
  v.push_back(T("Lingua", "Lingue", "Lingua", "Descrizione", "Lingue"));
  v.push_back(T("Agente", "Agenti", "Agente", "RagSoc", "Agenti"));
  v.push_back(T("IndSped", "IndSped", "IndSped", "RagSoc", "Destinazioni"));
  v.push_back(T("Vettore", "Vettori", "Vettore", "RagSoc", "Vettori"));
  v.push_back(T("CauTrasporto", "CauTrasporti", "CauTrasporto", "Descrizione", "Causali di trasporto"));
  v.push_back(T("AspettoBene", "AspettoBeni", "AspettoBene", "Descrizione", "Aspetto dei beni"));
  v.push_back(T("Trasporto", "Trasporti", "Trasporto", "Descrizione", "Trasporto a cura"));
  v.push_back(T("Resa", "Rese", "Resa", "Descrizione", "Rese"));
  v.push_back(T("Magazzino", "Magazzini", "Magazzino", "Descrizione", "Magazzini"));
  v.push_back(T("Stato", "Stati", "Stato", "Descrizione", "Stati"));
  v.push_back(T("NotaFissa", "NoteFisse", "NotaFissa", "Descrizione", "Note fisse"));
  v.push_back(T("PdcDicIntenti", "PdcDicIntenti", "PdcDicIntenti", "Descrizione", "Dichiarazioni d'intento"));
  v.push_back(T("Contratti", "Contratti", "Contratto", "Descrizione", "Contratti"));
  v.push_back(T("CentroDiCosto", "CentriDiCosto", "CentroDiCosto", "Descrizione", "Centri di costo"));
  v.push_back(T("FattDocumento", "FattDocumenti", "FattDocumento", "Descrizione", "Tipi di documento"));
  v.push_back(T("MagCausale", "MagCausali", "MagCausale", "Descrizione", "Causali di magazzino"));
  v.push_back(T("Zona", "Zona", "Zona", "Descrizione", "Zone"));
  TipoAiuto lotti = T("Lotti", "Lotti", "Lotto", "Descrizione", "Lotti");
  lotti.extraPredefinite = {"NrProgLotto", "DataScadenza"};
  lotti.ordine = "Lotto, NrProgLotto";
  v.push_back(lotti);
  v.push_back(T("TabDecod", "TabDecod", "Codice", "Descrizione", "Tabella di decodifica"));
  return v;
}

int TipoLiterale(dati::TipoCampo t) {
  switch (t) {
    case dati::TipoCampo::Byte:
    case dati::TipoCampo::Intero: return vb::vbInteger;
    case dati::TipoCampo::Lungo: return vb::vbLong;
    case dati::TipoCampo::Doppio: return vb::vbDouble;
    case dati::TipoCampo::Importo: return vb::vbCurrency;
    case dati::TipoCampo::Data: return vb::vbDate;
    case dati::TipoCampo::SiNo: return vb::vbBoolean;
    default: return vb::vbString;
  }
}

std::string Nudo(const std::string& colonna) {
  const size_t p = colonna.rfind('.');
  return p == std::string::npos ? colonna : colonna.substr(p + 1);
}

std::string Testo(const vb::Variant& v) {
  if (v.IsNull() || v.IsEmpty() || v.IsMissing()) return {};
  return v.ToString();
}

// Account code as typed or shown ("04010012", "04-01-0012") into its parts.
void Parti(const std::string& codice, std::string& g, std::string& m, std::string& c) {
  const std::string s = vb::FunzioniComuni::Istanza().FormatTipo(vb::Variant(codice), "conto");
  g = vb::Left(s, 2);
  m = vb::Mid(s, 3, 2);
  c = vb::Len(s) > 4 ? vb::Mid(s, 5) : std::string();
}

// Account class of the extra key of "Conto": 1, 2, 3 (a negative number
// counts as its class, a prefix letter g, f, c as its class); 0 none.
int ClasseConto(const ChiaveAgg& k) {
  if (k.Mancante() || k.Numero() == 0) return 0;
  const vb::Variant v = k.Valore(0);
  if (v.IsNull() || v.IsEmpty() || v.IsMissing()) return 0;
  if (v.IsNumeric()) {
    const double n = std::abs(v.ToDouble());
    return n >= 1 && n <= 3 ? static_cast<int>(n) : 0;
  }
  std::string s = vb::Trim(v.ToString());
  if (vb::UgualeTesto(vb::Left(s, 1), "x")) s = vb::Mid(s, 2);
  const std::string l = vb::LCase(vb::Left(s, 1));
  return l == "g" ? 1 : l == "f" ? 2 : l == "c" ? 3 : 0;
}

}  // namespace

// ------------------------------------------------------------- kinds

const std::vector<TipoAiuto>& TipiNoti() {
  static const std::vector<TipoAiuto> v = CostruisciTipi();
  return v;
}

TipoAiuto CercaTipo(const std::string& psTipo) {
  for (const auto& t : TipiNoti())
    if (vb::UgualeTesto(t.tipo, psTipo)) return t;
  const size_t p = psTipo.find(':');
  if (p != std::string::npos && p > 0 && p + 1 < psTipo.size()) {
    TipoAiuto t;
    t.tipo = psTipo;
    t.tabella = vb::Trim(psTipo.substr(0, p));
    t.chiavi = {vb::Trim(psTipo.substr(p + 1))};
    t.descrizione = "Descrizione";
    t.titolo = t.tabella;
    return t;
  }
  vb::Solleva(vb::ErrChiamataNonValida, "Tipo di decodifica sconosciuto: " + psTipo, "AiutiDecodifica");
}

// ------------------------------------------------------------- extra key

ChiaveAgg::ChiaveAgg(const vb::Variant& v) {
  if (v.IsMissing()) return;
  mancante_ = false;
  elementi_.push_back({v, nullptr});
}

ChiaveAgg::ChiaveAgg(ui::Controllo& c) : mancante_(false) { elementi_.push_back({vb::Variant(), &c}); }

ChiaveAgg::ChiaveAgg(std::initializer_list<ChiaveAgg> elenco) : mancante_(false) {
  for (const ChiaveAgg& k : elenco) {
    if (k.mancante_) elementi_.push_back({vb::Missing, nullptr});
    else elementi_.insert(elementi_.end(), k.elementi_.begin(), k.elementi_.end());
  }
}

vb::Variant ChiaveAgg::Valore(size_t i) const {
  if (i >= elementi_.size()) return vb::Missing;
  const Elemento& e = elementi_[i];
  return e.controllo ? vb::Variant(e.controllo->Text()) : e.valore;
}

// ------------------------------------------------------------- named values

vb::Variant ValoriNominati::ovLeggiPar(const std::string& nome) const {
  auto it = valori_.find(vb::Piega(nome));
  return it == valori_.end() ? vb::Variant() : it->second;
}

void ValoriNominati::ovLeggiPar(const std::string& nome, const vb::Variant& valore) {
  valori_[vb::Piega(nome)] = valore;
}

vb::Variant RisultatoAiuti::RetVal(const std::string& campo) const {
  const size_t p = campo.rfind('.');
  const std::string nome = p == std::string::npos ? campo : campo.substr(p + 1);
  const std::string qual = p == std::string::npos ? std::string() : campo.substr(0, p);
  for (const auto& c : riga_) {
    if (!vb::UgualeTesto(c.nome, nome)) continue;
    if (qual.empty() || vb::UgualeTesto(c.qualificatore, qual) || vb::UgualeTesto(c.tabella, qual))
      return c.valore;
  }
  return {};
}

std::string RisultatoAiuti::RetField() const { return Testo(ovLeggiPar("RetField")); }
std::string RisultatoAiuti::Text() const { return Testo(ovLeggiPar("Text")); }

// ------------------------------------------------------------- the library

AiutiDecodifica::AiutiDecodifica() = default;

AiutiDecodifica::~AiutiDecodifica() {
  if (finestra_ && finestra_->Caricata()) {
    try {
      finestra_->Unload(ui::vbFormCode);
    } catch (...) {
      // Ending anyway: the window goes with the library.
    }
  }
}

void AiutiDecodifica::Inizializza(ui::Form* pgPrincipale, std::shared_ptr<menu::ClientMenu> pgMenuClient,
                                  std::shared_ptr<menu::ContestoProgramma>& pgContesto,
                                  std::shared_ptr<dati::GestDatabase> pgDb,
                                  const std::string& psConnessione, std::shared_ptr<void> pgDbDao,
                                  long plColoreSfondo, long plColoreErrore,
                                  const std::string& psTipoIcone, const std::string& psFormatData) {
  principale_ = pgPrincipale;
  menu_ = std::move(pgMenuClient);
  if (!pgContesto) pgContesto = std::make_shared<menu::ContestoProgramma>();
  if (!pgContesto->Client()) pgContesto->ClientMenu(menu_);
  contesto_ = pgContesto;
  db_ = std::move(pgDb);
  conn_ = psConnessione;
  dao_ = std::move(pgDbDao);
  coloreSfondo_ = plColoreSfondo;
  coloreErrore_ = plColoreErrore;
  tipoIcone_ = psTipoIcone;
  if (!psFormatData.empty()) formatoData_ = psFormatData;
}

dati::GestDatabase& AiutiDecodifica::Db() const {
  if (!db_) vb::Solleva(vb::ErrOggettoNonImpostato, "Libreria degli aiuti non inizializzata", "AiutiDecodifica");
  return *db_;
}

FinestraAiuto& AiutiDecodifica::FinestraAttiva() {
  if (!finestra_) finestra_ = std::make_unique<FinestraAiuto>(*this);
  if (!finestra_->Caricata()) finestra_->Load();
  return *finestra_;
}

void AiutiDecodifica::ChiudiFinestre() {
  if (finestra_ && finestra_->Caricata()) finestra_->Unload(ui::vbFormCode);
}

void AiutiDecodifica::Lancia() {
  if (LanciaProgramma) LanciaProgramma();
  else if (menu_) menu_->LanciaProgramma("Tutti", "");
}

void AiutiDecodifica::ImpParam(const std::string& psNome, int16_t, const vb::Variant& pvValore) {
  impostati_.ovLeggiPar(psNome, pvValore);
}

void AiutiDecodifica::ImpMonete(const std::string& psEuro, const std::string& psLira, double pdCambioLira) {
  euro_ = psEuro;
  lira_ = psLira;
  cambioLira_ = pdCambioLira;
}

bool AiutiDecodifica::PrepDecod(const std::string& psTipo, ui::Controllo* pgCodice, vb::Variant& pvValore,
                                bool pbSoloDecod) {
  if (!eventi_.ClsPrepDecod) return true;
  std::string campo, base;
  if (pgCodice) {
    base = pgCodice->Parent().Name();
    campo = pgCodice->Name() + (pgCodice->Index() >= 0 ? "(" + std::to_string(pgCodice->Index()) + ")" : "");
  }
  vb::Variant solo(pbSoloDecod), noFiltro(false), ritorno(true);
  eventi_.ClsPrepDecod(psTipo, base, campo, pvValore, solo, noFiltro, ritorno);
  if (ritorno.IsNull() || ritorno.IsEmpty()) return true;
  return !(ritorno.IsNumeric() && ritorno.ToDouble() == 0);
}

namespace {

// The SQL of a kind: what it selects, from where, under which conditions.
struct Interrogazione {
  TipoAiuto tipo;
  std::string selezione;
  std::vector<std::string> condizioni;
  bool impossibile = false;  // the code cannot be a key of the table
  bool ancheBarCode = false;  // an article may be named by its barcode

  std::string Dove(const std::string& filtro) const {
    std::string dove;
    for (const auto& c : condizioni) dove += (dove.empty() ? "" : " And ") + std::string("(") + c + ")";
    if (!vb::Trim(filtro).empty()) dove += (dove.empty() ? "" : " And ") + std::string("(") + filtro + ")";
    return dove;
  }
  std::string Sql(const std::string& filtro, const std::string& ordine = {}) const {
    std::string s = "Select " + selezione + " From " + tipo.tabella;
    const std::string dove = Dove(filtro);
    if (!dove.empty()) s += " Where " + dove;
    if (!ordine.empty()) s += " Order By " + ordine;
    return s;
  }
};

const dati::TabellaCat* Catalogo(dati::GestDatabase& db, const std::string& conn, const std::string& tabella) {
  return db.Motore(conn).LeggiCatalogo().Tabella(tabella);
}

// The kind, the conditions of its extra key, and its description column as
// the table has it.
Interrogazione Prepara(dati::GestDatabase& db, const std::string& conn, const std::string& psTipo,
                       const ChiaveAgg& agg) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  Interrogazione q;
  q.tipo = CercaTipo(psTipo);
  TipoAiuto& t = q.tipo;
  q.selezione = t.selezione.empty() ? "*" : t.selezione;
  if (t.colonneCodice.empty()) t.colonneCodice = t.chiavi;
  const bool semplice = t.tabella.find(' ') == std::string::npos;
  if (semplice && !t.descrizione.empty()) {
    // A table without a description column shows none.
    const dati::TabellaCat* cat = Catalogo(db, conn, t.tabella);
    if (cat && cat->Colonna(t.descrizione) < 0) t.descrizione.clear();
  }
  auto lit = [&](const vb::Variant& v) { return fc.ValoreSql(v, vb::vbString); };
  auto conto = [&](const std::string& qual, const std::string& codice) {
    std::string g, m, c;
    Parti(codice, g, m, c);
    q.condizioni.push_back(qual + "Gruppo = " + lit(g) + " And " + qual + "Mastro = " + lit(m) + " And " + qual +
                           "Conto = " + lit(c));
  };
  if (vb::UgualeTesto(t.tipo, "Conto")) {
    if (int classe = ClasseConto(agg)) q.condizioni.push_back("Tipo = " + lit(std::to_string(classe)));
  } else if (vb::UgualeTesto(t.tipo, "ArticoloCod")) {
    // Search mode 1 (the article field reads barcodes): the code typed may
    // be the article's barcode.
    const vb::Variant modo = agg.Mancante() ? vb::Variant() : agg.Valore(0);
    q.ancheBarCode = modo.IsNumber() && modo.ToDouble() == 1;
  } else if (vb::UgualeTesto(t.tipo, "IndSped") || vb::UgualeTesto(t.tipo, "PdcDicIntenti")) {
    // The account the code belongs to: the last element of the key (the
    // account kind may come before it).
    if (!agg.Mancante() && agg.Numero() > 0) {
      const std::string a = vb::Trim(Testo(agg.Valore(agg.Numero() - 1)));
      if (!a.empty()) conto("", a);
    }
  } else if (vb::UgualeTesto(t.tipo, "Livello")) {
    // The levels of the article's group for that level (1 or 2).
    const std::string articolo = agg.Mancante() ? std::string() : vb::Trim(Testo(agg.Valore(0)));
    const vb::Variant n = agg.Mancante() ? vb::Variant() : agg.Valore(1);
    const int livello = n.IsNumeric() && n.ToDouble() == 2 ? 2 : 1;
    if (!articolo.empty()) {
      dati::GestRecordset rs;
      const std::string k = rs.ApriRecordset(db, conn, "",
                                             "Select LivGruppo1, LivGruppo2 From Articoli Where Articolo = " +
                                                 lit(articolo),
                                             false, 4);
      std::string gruppo;
      if (!rs.NessunRecord(k)) gruppo = vb::Trim(Testo(rs.LeggiCampo(k, livello == 2 ? "LivGruppo2" : "LivGruppo1")));
      rs.ChiudiRecordset(k);
      if (!gruppo.empty())
        q.condizioni.push_back("Livello In (Select LivComp.Livello From LivComp Where LivComp.LivGruppo = " +
                               lit(gruppo) + ")");
    }
  } else if (vb::UgualeTesto(t.tipo, "ArtListino")) {
    // Levels 1 and 2 (a row without levels serves every level) and the date.
    for (int i = 0; i < 2; ++i) {
      const std::string l = agg.Mancante() ? std::string() : vb::Trim(Testo(agg.Valore(static_cast<size_t>(i))));
      const std::string col = "ArtListini.Livello" + std::to_string(i + 1);
      if (l.empty() || l == kNessunLivello) q.condizioni.push_back(col + " = " + lit(kNessunLivello));
      else q.condizioni.push_back(col + " In (" + lit(l) + ", " + lit(kNessunLivello) + ")");
    }
    const vb::Variant d = agg.Mancante() ? vb::Variant() : fc.ValData(agg.Valore(3));
    if (!d.IsEmpty()) {
      const std::string dl = fc.ValoreSql(d, vb::vbDate);
      q.condizioni.push_back("ArtListini.DataInizio <= " + dl + " And (ArtListini.DataFine >= " + dl +
                             " Or ArtListini.DataFine Is Null)");
    }
  }
  return q;
}

// The condition of the code; false when the code can be no key of the
// table (a text in a number column).
bool CondizioneCodice(dati::GestDatabase& db, const std::string& conn, Interrogazione& q,
                      const std::string& codice) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  const TipoAiuto& t = q.tipo;
  if (t.chiavi.size() == 3 && vb::UgualeTesto(t.tipo, "Conto")) {
    std::string g, m, c;
    Parti(codice, g, m, c);
    q.condizioni.push_back("Gruppo = " + fc.ValoreSql(g, vb::vbString) + " And Mastro = " +
                           fc.ValoreSql(m, vb::vbString) + " And Conto = " + fc.ValoreSql(c, vb::vbString));
    return true;
  }
  if (q.ancheBarCode) {
    // A barcode names the article it is printed for; any other text is
    // taken as the article code.
    const dati::TabellaCat* cat = Catalogo(db, conn, t.tabella);
    if (cat && cat->Colonna("BarCode") >= 0) {
      dati::GestRecordset rs;
      const std::string k = rs.ApriRecordset(db, conn, "",
                                             "Select Articolo From " + t.tabella +
                                                 " Where BarCode = " + fc.ValoreSql(codice, vb::vbString),
                                             false, 4);
      const std::string articolo = rs.NessunRecord(k) ? std::string() : Testo(rs.LeggiCampo(k, "Articolo"));
      rs.ChiudiRecordset(k);
      if (!articolo.empty()) {
        q.condizioni.push_back(t.chiavi.front() + " = " + fc.ValoreSql(articolo, vb::vbString));
        return true;
      }
    }
  }
  const std::string& chiave = t.chiavi.front();
  int tipo = vb::vbString;
  const size_t p = chiave.rfind('.');
  const std::string tabella = p == std::string::npos ? t.tabella : chiave.substr(0, p);
  if (tabella.find(' ') == std::string::npos) {
    if (const dati::TabellaCat* cat = Catalogo(db, conn, tabella)) {
      const int i = cat->Colonna(Nudo(chiave));
      if (i >= 0) tipo = TipoLiterale(cat->colonne[static_cast<size_t>(i)].tipo);
    }
  }
  vb::Variant v(codice);
  if (tipo != vb::vbString && !v.IsNumeric() && tipo != vb::vbDate) return false;
  // A number beyond the column's range is the key of no row.
  if (tipo == vb::vbInteger || tipo == vb::vbLong) {
    const double n = fc.ValDouble(v);
    if (tipo == vb::vbInteger ? (n < INT16_MIN || n > INT16_MAX) : (n < INT32_MIN || n > INT32_MAX)) return false;
  }
  if (tipo == vb::vbDate && fc.ValData(v).IsEmpty()) return false;
  q.condizioni.push_back(chiave + " = " + fc.ValoreSql(tipo == vb::vbDate ? fc.ValData(v) : v, tipo));
  return true;
}

// Reads the record of a code: its description, the fields asked for, the
// number of records that fit. False when none does.
struct Letto {
  bool trovato = false;
  long numero = 0;
  std::string descrizione;
};

Letto Leggi(dati::GestDatabase& db, const std::string& conn, const Interrogazione& q, const std::string& filtro,
            std::vector<vb::Variant>* campi, const std::string& campoSingolo = {},
            vb::Variant* valoreSingolo = nullptr, int tipoDato = vb::vbString) {
  Letto l;
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(db, conn, "", q.Sql(filtro), false, 4);
  l.trovato = !rs.NessunRecord(k);
  l.numero = rs.NumRecord(k);
  auto leggi = [&](const std::string& nome) -> vb::Variant {
    if (!l.trovato) return std::string();
    try {
      return rs.LeggiCampo(k, nome);
    } catch (const vb::Errore&) {
      // A field the table does not have reads as empty.
      return std::string();
    }
  };
  if (l.trovato && !q.tipo.descrizione.empty()) l.descrizione = Testo(leggi(q.tipo.descrizione));
  if (campi) {
    for (vb::Variant& c : *campi) {
      if (c.IsMissing() || c.IsNull()) continue;
      const std::string nome = Testo(c);
      if (nome.empty()) continue;
      if (nome == kRecMulti) c = static_cast<int32_t>(l.numero);
      else c = leggi(nome);
    }
  }
  if (valoreSingolo && !campoSingolo.empty()) {
    if (!l.trovato) {
      *valoreSingolo = vb::Variant();
    } else {
      vb::Variant v = leggi(campoSingolo);
      *valoreSingolo = tipoDato == vb::vbString ? vb::Variant(Testo(v)) : v;
    }
  }
  rs.ChiudiRecordset(k);
  return l;
}

void Svuota(std::vector<vb::Variant>* campi) {
  if (!campi) return;
  for (vb::Variant& c : *campi) {
    if (c.IsMissing() || c.IsNull() || Testo(c).empty()) continue;
    c = Testo(c) == kRecMulti ? vb::Variant(0) : vb::Variant(std::string());
  }
}

}  // namespace

int16_t AiutiDecodifica::DecodCodice(const std::string& psTipo, ui::Controllo& pgCodice, ui::Controllo* pgDescr,
                                     const ChiaveAgg& pvParAgg, int16_t piOpz1, const std::string&, int16_t,
                                     std::vector<vb::Variant>& pvCampi, const std::string& psFiltro) {
  vb::Variant codice(pgCodice.Text());
  if (!PrepDecod(psTipo, &pgCodice, codice, true)) return 0;
  const std::string testo = vb::Trim(Testo(codice));
  const bool colori = piOpz1 == 0;
  if (testo.empty()) {
    // No code, no description; nothing is wrong with an empty field.
    if (pgDescr) pgDescr->SetText("");
    if (colori) pgCodice.SetBackColor(coloreSfondo_);
    Svuota(&pvCampi);
    return 0;
  }
  Interrogazione q = Prepara(Db(), conn_, psTipo, pvParAgg);
  Letto l;
  if (CondizioneCodice(Db(), conn_, q, testo)) l = Leggi(Db(), conn_, q, psFiltro, &pvCampi);
  else Svuota(&pvCampi);
  if (l.trovato) {
    if (pgDescr) pgDescr->SetText(l.descrizione);
    if (colori) pgCodice.SetBackColor(coloreSfondo_);
    return -1;
  }
  if (pgDescr) pgDescr->SetText(kInesistente);
  if (colori) pgCodice.SetBackColor(coloreErrore_);
  return 0;
}

vb::Variant AiutiDecodifica::LeggiCampoDecod(const std::string& psTipo, const vb::Variant& pvCodice,
                                             vb::Variant& pvValore, const ChiaveAgg& pvParAgg, int16_t, int16_t,
                                             int16_t piTipoDato, const std::string& psCampo, int16_t,
                                             std::vector<vb::Variant>* pvCampi, const std::string& psFiltro) {
  vb::Variant codice = pvCodice;
  if (!PrepDecod(psTipo, nullptr, codice, true)) return 1;
  const std::string testo = vb::Trim(Testo(codice));
  Interrogazione q = Prepara(Db(), conn_, psTipo, pvParAgg);
  if (testo.empty() || !CondizioneCodice(Db(), conn_, q, testo)) {
    pvValore = vb::Variant();
    Svuota(pvCampi);
    return 1;
  }
  const Letto l = Leggi(Db(), conn_, q, psFiltro, pvCampi, psCampo, &pvValore, piTipoDato);
  return l.trovato ? 0 : 1;
}

vb::Variant AiutiDecodifica::CercaValore(const std::string& psTabella, const std::string& psCampoChiave,
                                         const vb::Variant& pvCodice, vb::Variant& pvValore, int16_t piOpz1,
                                         int16_t piTipoDato, const std::string& psCampo, int16_t piOpz2,
                                         std::vector<vb::Variant>* pvCampi, const std::string& psFiltro) {
  const std::string tipo = psTabella + ":" + psCampoChiave;
  const std::string campo = vb::Trim(psCampo).empty() ? CercaTipo(tipo).descrizione : psCampo;
  const vb::Variant esito =
      LeggiCampoDecod(tipo, pvCodice, pvValore, ChiaveAgg(), 0, piOpz1, piTipoDato, campo, piOpz2, pvCampi, psFiltro);
  return esito.ToInt() == 0 ? 0 : -1;
}

vb::Variant AiutiDecodifica::DecodGriglia(const std::string& psTipo, const std::string& psColonna,
                                          vb::Variant& pvValore, std::string& psTesto, int16_t piTasto,
                                          const std::string&, int16_t, int16_t, const std::string& psColonneAgg,
                                          const ChiaveAgg& pvParAgg, const vb::Variant&,
                                          const std::string& psFiltro) {
  const bool ricerca = piTasto < 0 || (piTasto >= kTastoCodice && piTasto <= 123);
  if (!ricerca) {
    vb::Variant descrizione;
    if (vb::Trim(Testo(pvValore)).empty()) {
      psTesto.clear();
      return -1;
    }
    const std::string campo = CercaTipo(psTipo).descrizione;
    const bool trovato =
        LeggiCampoDecod(psTipo, pvValore, descrizione, pvParAgg, 0, 0, 8, campo, 0, nullptr, psFiltro).ToInt() == 0;
    psTesto = !trovato ? std::string(kInesistente) : campo.empty() ? std::string() : Testo(descrizione);
    return trovato ? 0 : -1;
  }
  if (!cella_) {
    cella_ = std::make_unique<ui::Form>("frmCellaAiuto");
    cella_->Crea(ui::Tipo::TextBox, "txtCella");
  }
  ui::Controllo& box = cella_->C("txtCella");
  box.SetText(Testo(pvValore));
  int16_t scelto = 0;
  const vb::Variant esito = ApriRicerca(psTipo, box, nullptr, piTasto, ui::Screen().ActiveForm, pvParAgg, scelto,
                                        0, psColonneAgg, psFiltro);
  if (esito.ToInt() == 1) return 1;
  if (scelto != -1) return -1;
  const vb::Variant campo = vb::Trim(psColonna).empty() ? vb::Variant() : risultato_.RetVal(psColonna);
  pvValore = campo.IsEmpty() ? vb::Variant(box.Text()) : campo;
  const std::string descr = CercaTipo(psTipo).descrizione;
  psTesto = descr.empty() ? std::string() : Testo(risultato_.RetVal(descr));
  return 0;
}

vb::Variant AiutiDecodifica::DecodTabella(const std::string& psTabella, const std::string& psCampoChiave,
                                          ui::Controllo& pgCodice, ui::Controllo* pgDescr, int16_t piOpz1, int16_t,
                                          const vb::Variant&, const std::string& psCampoDescr, const vb::Variant&,
                                          const vb::Variant&, const std::string& psFiltro) {
  const std::string tipo = psTabella + ":" + psCampoChiave;
  vb::Variant codice(pgCodice.Text());
  if (!PrepDecod(tipo, &pgCodice, codice, true)) return 0;
  const std::string testo = vb::Trim(Testo(codice));
  const bool colori = piOpz1 == 0;
  if (testo.empty()) {
    if (pgDescr) pgDescr->SetText("");
    if (colori) pgCodice.SetBackColor(coloreSfondo_);
    return 0;
  }
  Interrogazione q = Prepara(Db(), conn_, tipo, ChiaveAgg());
  if (!vb::Trim(psCampoDescr).empty()) q.tipo.descrizione = vb::Trim(psCampoDescr);
  Letto l;
  if (CondizioneCodice(Db(), conn_, q, testo)) l = Leggi(Db(), conn_, q, psFiltro, nullptr);
  if (pgDescr) pgDescr->SetText(l.trovato ? l.descrizione : std::string(kInesistente));
  if (colori) pgCodice.SetBackColor(l.trovato ? coloreSfondo_ : coloreErrore_);
  return l.trovato ? -1 : 0;
}

vb::Variant AiutiDecodifica::LeggiCambio(const std::string& psMoneta, const vb::Variant& pvData,
                                         ui::Controllo& pgCambio, vb::Variant& pvDataCambio,
                                         const std::string& psMaschera, bool, bool) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  const vb::Variant data = fc.ValData(pvData);
  const vb::Date nessuna = vb::Date::FromYmd(100, 1, 1);
  const std::string moneta = vb::Trim(psMoneta);
  if (moneta.empty()) {
    pvDataCambio = nessuna;
    return false;
  }
  auto mostra = [&](double cambio, const vb::Variant& quando) {
    pgCambio.SetText(psMaschera.empty() ? vb::Variant(cambio).ToString() : fc.Formatta(cambio, psMaschera));
    pvDataCambio = quando.IsEmpty() ? vb::Variant(vb::Date::Today()) : quando;
    return vb::Variant(true);
  };
  // The euro is the unit; the lira has its fixed rate.
  if (vb::UgualeTesto(moneta, euro_)) return mostra(1, data);
  if (vb::UgualeTesto(moneta, lira_)) return mostra(cambioLira_, data);
  if (!Catalogo(Db(), conn_, "CambiMonete")) {
    pvDataCambio = nessuna;
    return false;
  }
  std::string sql = "Select Top 1 Cambio, DataCambio From CambiMonete Where Moneta = " +
                    fc.ValoreSql(moneta, vb::vbString);
  if (!data.IsEmpty()) sql += " And DataCambio <= " + fc.ValoreSql(data, vb::vbDate);
  sql += " Order By DataCambio Desc";
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(Db(), conn_, "", sql, false, 4);
  vb::Variant esito = false;
  if (!rs.NessunRecord(k)) {
    const double cambio = fc.ValDouble(rs.LeggiCampo(k, "Cambio"));
    const vb::Variant quando = rs.LeggiCampoNull(k, "DataCambio");
    esito = mostra(cambio, quando.IsNull() ? data : quando);
  } else {
    pvDataCambio = nessuna;
  }
  rs.ChiudiRecordset(k);
  return esito;
}

vb::Variant AiutiDecodifica::ApriRicerca(const std::string& psTipo, ui::Controllo& pgCodice,
                                         ui::Controllo* pgDescr, int16_t piTasto, ui::Form* pgFormAttiva,
                                         const ChiaveAgg& pvParAgg, int16_t& piScelto, int16_t,
                                         const std::string& psColonne, const std::string& psFiltro) {
  (void)pgDescr;
  piScelto = 0;
  risultato_.SvuotaRiga();
  risultato_.ovLeggiPar("RetField", std::string());
  risultato_.ovLeggiPar("Text", std::string());
  ultima_ = {psTipo, piTasto, psColonne, psFiltro};
  vb::Variant codice(pgCodice.Text());
  if (!PrepDecod(psTipo, &pgCodice, codice, false)) return 0;

  // The accounts: a class letter typed in front of the code ("c123") is no
  // part of it; it narrows the accounts unless the caller fixed a class
  // (a negative class is fixed on F2 only).
  ChiaveAgg agg = pvParAgg;
  std::string seme = vb::Trim(Testo(codice));
  if (vb::UgualeTesto(CercaTipo(psTipo).tipo, "Conto")) {
    const std::string l = vb::LCase(vb::Left(seme, 1));
    const int lettera = l == "g" ? 1 : l == "f" ? 2 : l == "c" ? 3 : 0;
    if (lettera) seme = vb::Trim(vb::Mid(seme, 2));
    const vb::Variant dichiarata = pvParAgg.Mancante() ? vb::Variant() : pvParAgg.Valore(0);
    int classe = ClasseConto(pvParAgg);
    if (dichiarata.IsNumeric() && dichiarata.ToDouble() < 0) {
      if (piTasto != kTastoCodice) classe = lettera;
      else if (dichiarata.ToDouble() <= -4) classe = 0;
    } else if (classe == 0) {
      classe = lettera;
    }
    agg = ChiaveAgg(vb::Variant(classe));
  }
  Interrogazione q = Prepara(Db(), conn_, psTipo, agg);
  const TipoAiuto& t = q.tipo;
  DatiRicerca d;
  d.tipo = t.tipo;
  d.titolo = t.titolo;
  const bool conto = vb::UgualeTesto(t.tipo, "Conto");
  d.da = t.tabella;
  d.selezione = q.selezione;
  d.campoCodice = d.espressioneCodice = t.colonneCodice.front();
  d.campoChiave = t.colonneCodice.back();
  if (conto) {
    // The account shows and goes back as GG-MM-CCCC; it is searched whole.
    d.selezione = t.tabella + ".*, Gruppo & '-' & Mastro & '-' & Conto As CodiceAiuto";
    d.campoCodice = "CodiceAiuto";
    d.espressioneCodice = "Gruppo & Mastro & Conto";
  }
  d.campoDescrizione = t.descrizione;
  d.scriviCodice = t.scriviCodice;
  if (!t.semeRicerca) seme.clear();
  if (t.chiavi.size() == 1 && vb::UgualeTesto(t.tipo, "ArtListino")) CondizioneCodice(Db(), conn_, q, Testo(codice));
  d.seme = seme;

  // Columns: those of the kind, then the caller's ("§pri§" and "§dop§"
  // only frame the caller's own; ",No," none), each once.
  std::vector<std::string> colonne = t.extraPredefinite;
  for (const std::string& parte : vb::Split(psColonne, ",")) {
    const std::string c = vb::Trim(parte);
    if (c.empty() || c == "§pri§" || c == "§dop§" || vb::UgualeTesto(c, "No")) continue;
    bool doppia = false;
    for (const auto& x : colonne) doppia = doppia || vb::UgualeTesto(x, c);
    for (const auto& x : t.colonneCodice) doppia = doppia || vb::UgualeTesto(Nudo(x), c);
    doppia = doppia || vb::UgualeTesto(Nudo(t.descrizione), c);
    if (!doppia) colonne.push_back(c);
  }
  for (const auto& c : colonne) {
    d.extra.push_back(c);
    std::string titolo;
    for (int n = 1; n <= 9; ++n)
      if (vb::UgualeTesto(Testo(parametri_.ovLeggiPar("NomeCol" + std::to_string(n))), c))
        titolo = Testo(parametri_.ovLeggiPar("DescCol" + std::to_string(n)));
    d.titoliExtra.push_back(titolo);
  }

  // The key picks the search column.
  const int ncol = 2 + static_cast<int>(d.extra.size());
  int col = 0;
  if (piTasto == kTastoDescrizione) col = 1;
  else if (piTasto >= 115 && piTasto <= 123) col = piTasto - 113 < ncol ? piTasto - 113 : 1;
  else if (piTasto < 0) col = std::min(-piTasto - 1, ncol - 1);
  if (col == 1 && d.campoDescrizione.empty()) col = 0;
  d.colonnaRicerca = col;

  std::string ordine = t.ordine;
  if (ordine.empty()) for (const auto& c : t.colonneCodice) ordine += (ordine.empty() ? "" : ", ") + c;
  d.dove = q.Dove(psFiltro);
  d.ordine = ordine;

  // Pictures of the articles beside the list.
  d.mostraImmagine = impostati_.ovLeggiPar("MostraImg").IsNumeric() && impostati_.ovLeggiPar("MostraImg").ToBool() &&
                     vb::UgualeTesto(t.tabella, "Articoli");
  if (d.mostraImmagine) {
    const std::string campo = Testo(impostati_.ovLeggiPar("NomeColImg"));
    if (!campo.empty()) d.campoImmagine = campo;
    d.cartellaImmagini = Testo(impostati_.ovLeggiPar("DirImgArt"));
    d.latoImmagine = Testo(impostati_.ovLeggiPar("DoveMostraImg"));
  }
  auto marg = [&](const char* nome) {
    const vb::Variant v = risultato_.ogComlin.ovLeggiPar(nome);
    return v.IsNumeric() ? static_cast<long>(v.ToDouble()) : 0L;
  };
  d.margSopra = marg("MargSopra");
  d.margSotto = marg("MargSotto");
  d.margSin = marg("MargSin");
  d.margDestra = marg("MargDestra");

  const vb::Variant zero = risultato_.ovLeggiPar("RetZeroRec");
  const bool ritornaSeVuota = zero.IsNumeric() && zero.ToDouble() == 1;
  FinestraAiuto& f = FinestraAttiva();
  if (pgFormAttiva) {
    // Over the form that asked, as far as the screen allows.
    const long x = pgFormAttiva->Left() + (pgFormAttiva->Width() - f.Width()) / 2;
    const long y = pgFormAttiva->Top() + (pgFormAttiva->Height() - f.Height()) / 2;
    f.Move(std::max(0L, std::min(x, ui::Screen().Width - f.Width())),
           std::max(0L, std::min(y, ui::Screen().Height - f.Height())));
  }
  if (f.Apri(d, ritornaSeVuota) == 1) return 1;
  if (!f.Scelto()) return 0;
  piScelto = -1;
  risultato_.ImpostaRiga(f.RigaScelta());
  risultato_.ovLeggiPar("RetField", f.CampoScelto());
  risultato_.ovLeggiPar("Text", f.TestoScelto());
  if (d.scriviCodice) {
    pgCodice.SetText(f.CodiceScelto());
    pgCodice.SetBackColor(parametri_.olColBackOk);
  }
  return 0;
}

}  // namespace aiuti
