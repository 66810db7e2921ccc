// The grid's query over the working lines of the DDT, and what the page
// asks of its columns.
//
// The statement selects the lines of the DDT shown by the header panel,
// joined to the article master (a line keeps its place when its article is
// gone) and to the header, in display order: the personal columns first,
// in the user's order, then the standard ones the list did not name. The
// grid's columns follow the statement's fields, so the personal widths go
// by position.
//
// The lines are joined to the articles from their side: the engine then
// walks the DDT's lines by key, already in display order, and looks each
// article up, so the grid shows its first screen without reading either
// table whole.
#include <string>

#include "common/Globali.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Griglia.h"
#include "services/Impostazioni.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

const char* const kCalcolate[] = {"_Descrizione", "ContoRicavo", "Val_Mon_Corr"};

bool Calcolata(const std::string& n) {
  for (const char* c : kCalcolate)
    if (vb::UgualeTesto(n, c)) return true;
  return false;
}

// The standard columns of the grid, in their order ("*" marks a computed
// one); BeneUsato is added after ValTotale on a margin-scheme document.
const char* const kStandard[] = {
    "Anno",         "NumRif",          "RigDet",         "RigLiv",        "TipoRiga",       "Articolo",
    "Comando",      "*_Descrizione",   "Descrizione",    "UM",            "Qta",            "ValUnitario",
    "ValTotale",    "ScontoTot",       "Iva",            "*ContoRicavo",  "GruppoVen",      "MastroVen",
    "ContoVen",     "CentroDiCosto",   "ScontoCli",      "ScontoArt",     "ScontoTab",      "ScontoQuant",
    "FlScontoPag",  "Promozione",      "FatCon",         "Colli",         "Omaggio",        "PercProvv1",
    "PercProvv2",   "*Val_Mon_Corr",   "DoveStampoDesLung", "NotaSopraStamp", "NotaSopra",  "NotaSottoStamp",
    "NotaSotto",    "FattDocumentoProv", "AnnoRifProv",  "NumRifProv",    "RigaRifProv",    "QtaProv",
    "Lunghezza",    "Larghezza",       "Altezza",        "ValLire",       "ValEuro",        "DescPers1",
    "DescPers2",    "DescPers3",       "DescPers4",      "CopiaTaglia",   "TipoProv",       "CompGiornMens",
    "DataCompDa",   "DataCompA",       "SoggRitAcc",     "RigLivRAEE",    "Contratto"};

// The defined size of a field: the length of a text column, the bytes of
// the other kinds, 0 for a memo or an expression.
int32_t Dimensione(const dati::ColonnaUscita& c) {
  switch (c.tipo) {
    case dati::TipoCampo::SiNo:
    case dati::TipoCampo::Byte: return 1;
    case dati::TipoCampo::Intero: return 2;
    case dati::TipoCampo::Lungo: return 4;
    case dati::TipoCampo::Importo:
    case dati::TipoCampo::Doppio:
    case dati::TipoCampo::Data: return 8;
    case dati::TipoCampo::Testo: {
      const Globali& g = G();
      if (!g.goDbAzienda || c.tabellaBase.empty()) return 0;
      const dati::TabellaCat* t = g.goDbAzienda->Motore(g.gsConnAzienda).LeggiCatalogo().Tabella(c.tabellaBase);
      const int k = t ? t->Colonna(c.colonnaBase) : -1;
      return k < 0 ? 0 : t->colonne[static_cast<size_t>(k)].lunghezza;
    }
    default: return 0;
  }
}

}  // namespace

vb::Variant frmDDTDett::NomeColEspr(const std::string& psNomeCampo) {
  const Globali& g = G();
  const std::string& t = g.gsTabDettApp;
  auto lit = [&](const std::string& v) { return FC().ValoreSql(vb::Variant(v), vb::vbString); };
  if (vb::UgualeTesto(psNomeCampo, "_Descrizione"))
    return "iif(" + t + ".TipoRiga = " + lit("D") + "," + t + ".NotaSopra," + " iif(" + t + ".TipoRiga = " +
           lit("C") + "," + t + ".Comando & ' ' & " + t + ".NotaSopra," + " iif(not isnull(" + t + ".Descrizione)," +
           t + ".Descrizione, Articoli.Descrizione))) as " + "_Descrizione";
  if (vb::UgualeTesto(psNomeCampo, "ContoRicavo"))
    return "(" + t + ".GruppoVen & '-' & " + t + ".MastroVen & '-' & " + t + ".ContoVen) as " + "ContoRicavo";
  if (vb::UgualeTesto(psNomeCampo, "Val_Mon_Corr"))
    return "iif(" + lit(g.gsMonetaDitta) + " = " + lit(g.gsCodLira) + ", " + t + ".ValLire" + ", " + t +
           ".ValEuro) as " + "Val_Mon_Corr";
  return std::string();
}

vb::Variant frmDDTDett::AggCampoNonPers(const std::string& psNomeCampo, const std::string& psCampoAs) {
  if (mbColPers)
    for (const std::string& c : masColPers)
      if (vb::UgualeTesto(c, psNomeCampo)) return std::string();
  if (Calcolata(psNomeCampo)) return ", " + servizi::Testo(NomeColEspr(psNomeCampo));
  std::string s = ", " + psNomeCampo;
  if (!FC().Vuoto(vb::Variant(psCampoAs), vb::vbString, 1, false)) s += " as " + psCampoAs;
  return s;
}

vb::Variant frmDDTDett::PrepSql() {
  const Globali& g = G();
  const std::string& t = g.gsTabDettApp;
  const std::string& h = g.gsTabTest;
  std::string l;
  if (mbColPers) {
    for (size_t i = 0; i < masColPers.size(); ++i) {
      if (Calcolata(masColPers[i]))
        l += ", " + servizi::Testo(NomeColEspr(masColPers[i]));
      else
        l += ", " + masColPers[i] + (i < masAliasColPers.size() ? masAliasColPers[i] : std::string());
    }
  }
  const bool margine = vb::UgualeTesto(osRegimeMargine, "S");
  for (const char* c : kStandard) {
    if (*c == '*') {
      l += servizi::Testo(AggCampoNonPers(c + 1, ""));
      continue;
    }
    l += servizi::Testo(AggCampoNonPers(t + "." + c, ""));
    if (margine && vb::UgualeTesto(c, "ValTotale")) l += servizi::Testo(AggCampoNonPers(t + ".BeneUsato", ""));
  }
  const std::string sql = "Select " + l.substr(1) + " FROM (" + t + " LEFT JOIN Articoli ON Articoli.Articolo = " + t +
                          ".Articolo)" + " INNER JOIN " + h + " ON (" + t + ".Anno = " + h + ".Anno)" + " AND (" + t +
                          ".NumRif = " + h + ".NumRif)" + " where " + t + ".Anno = " +
                          FC().ValoreSql(vb::Variant(txt(600).Text()), vb::vbInteger) + " AND " + t +
                          ".NumRif = " + FC().ValoreSql(vb::Variant(txt(610).Text()), vb::vbLong) + " Order BY " +
                          t + ".RigDet";
  CalcTotDocum();
  return sql;
}

vb::Variant frmDDTDett::ovField(int piColIndex, const std::string& psProprieta) {
  const std::string p = vb::LCase(psProprieta);
  vb::Variant r;
  if (p == "type") r = int16_t{10};
  else if (p == "name" || p == "sourcefield" || p == "sourcetable") r = std::string();
  else if (p == "dataupdatable") r = false;
  else if (p == "size" || p == "fieldsize") r = int32_t{0};
  else return r;
  try {
    dati::Recordset* rs = datRiga().Recordset();
    if (!rs) return r;
    const int f = rs->Indice(dbgRiga().Colonna(piColIndex).DataField);
    if (f < 0) return r;
    const dati::ColonnaUscita& c = rs->Campo(f);
    if (p == "type") {
      r = dati::CodiceTipo(c.tipo);
    } else if (p == "name") {
      r = c.nome;
    } else if (p == "sourcefield") {
      r = c.colonnaBase;
    } else if (p == "sourcetable") {
      r = c.tabellaBase;
    } else if (p == "dataupdatable") {
      r = rs->Aggiornabile() && vb::UgualeTesto(c.tabellaBase, G().gsTabDettApp);
    } else if (p == "size") {
      r = Dimensione(c);
    } else {
      // The length of what the current row holds in the field.
      const vb::Variant& v = rs->Valore(f);
      r = static_cast<int32_t>(v.IsNull() || v.IsEmpty() ? 0 : vb::Len(v.ToString()));
    }
  } catch (...) {
    // A column the grid lacks, a field the rows lack: the default stands.
  }
  return r;
}

void frmDDTDett::SetovfrmBookmark(const std::string& psBookmark) {
  msBookmark = psBookmark;
  ui::Controllo& tb = tolLinPag();
  if (!tb.HaElem("VaiA")) return;
  tb.Elem("VaiA").Enabled = !psBookmark.empty();
  tb.ElementoCambiato();
}

void frmDDTDett::DatRefresh() {
  ogLinPag().FormatGriglia(-1, "M", 0, "dd/mm/yyyy");
  PersColonne();
  CalcTotDocum();
}
