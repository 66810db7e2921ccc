// Expense rows of a document written from the expense master, without a
// window: the row primitives, the standard, customer and pension-fund
// expenses, the bank-charge and stamp-duty recheck.
#include "expenses/AggSpeBan.h"

#include <exception>
#include <memory>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/Currency.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"

namespace AggSpeBan {

namespace {

// The module's recordset manager: the routines hand one another the keys of
// the recordsets it holds.
std::unique_ptr<dati::GestRecordset> gRs;

dati::GestRecordset& Rs() {
  if (!gRs) gRs = std::make_unique<dati::GestRecordset>();
  return *gRs;
}

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

std::string Apri(const std::string& sql, int tipo) {
  return Rs().ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "", sql, false, tipo);
}

// Closes what a routine opened, errors ignored: the routine is ending, and
// an error while closing must not hide the one being reported.
void ChiudiSilenzioso(std::string& k) {
  if (k.empty()) return;
  try {
    if (gRs && gRs->Esiste(k)) gRs->ChiudiRecordset(k);
  } catch (...) {
  }
  k.clear();
}

std::string Anno(int16_t a) { return Fc().ValoreSql(vb::Variant(a), vb::vbInteger); }
std::string Numero(int32_t n) { return Fc().ValoreSql(vb::Variant(static_cast<int>(n)), vb::vbLong); }
std::string TestoSql(const std::string& s) { return Fc().ValoreSql(vb::Variant(s), vb::vbString); }

std::string Testo(const vb::Variant& v) {
  if (v.IsEmpty() || v.IsNull() || v.IsMissing()) return {};
  return v.ToString();
}

bool Vuoto(const std::string& s) { return Fc().Vuoto(vb::Variant(s), vb::vbString); }

// A sign that lets the document take automatic rows.
bool SegnoValido(const std::string& psSegno) { return !Vuoto(psSegno) && !vb::UgualeTesto(psSegno, "-"); }


vb::Currency Importo(const vb::Variant& v) {
  if (v.IsEmpty() || v.IsNull() || v.IsMissing()) return vb::Currency();
  return v.ToCurrency();
}

// The error being reported: its number (never 0) and text.
void LeggiErrore(int32_t& plErr, std::string& psErr) {
  try {
    throw;
  } catch (const vb::Errore& e) {
    plErr = static_cast<int32_t>(e.Number());
    psErr = e.Description();
  } catch (const std::exception& e) {
    plErr = vb::ErrChiamataNonValida;
    psErr = e.what();
  } catch (...) {
    plErr = vb::ErrChiamataNonValida;
    psErr = vb::DescrizioneErrore(vb::ErrChiamataNonValida);
  }
  if (plErr == 0) plErr = vb::ErrChiamataNonValida;
}

// What distinguishes the bank-charge recheck from the stamp-duty one.
struct Gemello {
  const char* campoCliente;  // PianoConti column: the customer is charged
  const char* tipoAddebito;  // Spese.TipoAddebito required
  const char* valoreSpesa;   // master value that must not be 0
};
constexpr Gemello kBanca{"SpeseBan", "R", "Spese.Importo"};
constexpr Gemello kBolli{"Bolli", "T", "Spese.Percentuale"};

// One side (old or new values) of a recheck.
struct Lato {
  std::string segno, conto, pagam, moneta;
  vb::Variant sogg;
  bool vuoleRiga = false;
  std::string spesa;   // the expense code the side wants a row of
  std::string recPag;  // its payment + expense row
  std::string recCli;  // its customer query
  int16_t numScad = 0;
};

void ValutaLato(Lato& l, const Gemello& g, bool pbFlagDati) {
  if (!SegnoValido(l.segno)) return;
  if (pbFlagDati) {
    if (!vb::UgualeTesto(Testo(l.sogg), "S")) return;
  } else {
    if (Vuoto(l.conto)) return;
    std::string gruppo, mastro, conto;
    AziendaUtil::DividiConto(l.conto, gruppo, mastro, conto);
    l.recCli = Apri(std::string("Select PianoConti.") + g.campoCliente + " from PianoConti" +
                        " where Gruppo = " + TestoSql(gruppo) + " and Mastro = " + TestoSql(mastro) +
                        " and Conto = " + TestoSql(conto),
                    4);
    if (Rs().NessunRecord(l.recCli)) return;
    if (!vb::UgualeTesto(Testo(Rs().LeggiCampo(l.recCli, g.campoCliente)), "S")) return;
  }
  if (Vuoto(l.pagam)) return;
  l.recPag = Apri(std::string("Select Pagamenti.*,Spese.*") + " from Pagamenti left join Spese" +
                      " on Pagamenti.Spesa = Spese.Spesa" + " where Pagamento = " + TestoSql(l.pagam),
                  4);
  auto& rs = Rs();
  if (rs.NessunRecord(l.recPag)) return;
  const std::string spesa = Testo(rs.LeggiCampo(l.recPag, "Spese.Spesa"));
  if (Vuoto(spesa)) return;
  if (!vb::UgualeTesto(Testo(rs.LeggiCampo(l.recPag, "Spese.TipoAddebito")), g.tipoAddebito)) return;
  const vb::Variant numScad = rs.LeggiCampo(l.recPag, "Pagamenti.NumScad");
  if (Fc().ValDouble(numScad) == 0) return;
  if (Fc().ValDouble(rs.LeggiCampo(l.recPag, g.valoreSpesa)) == 0) return;
  if (Vuoto(l.moneta) || !MonetaAdatta(Testo(rs.LeggiCampo(l.recPag, "Spese.Moneta")), l.moneta)) return;
  l.vuoleRiga = true;
  l.spesa = spesa;
  l.numScad = Fc().ValInt(numScad);
}

vb::Variant Ricontrolla(const Gemello& g, const std::string& psTabSpese, int16_t piAnno, int32_t plNumRif,
                        const std::string& psSegnoPrec, const std::string& psSegno, const std::string& psContoPrec,
                        const std::string& psConto, const std::string& psPagamPrec, const std::string& psPagam,
                        const std::string& psMonetaPrec, const std::string& psMoneta, const std::string& psIva,
                        int32_t& plErr, std::string& psErr, const vb::Variant& pvSoggPrec,
                        const vb::Variant& pvSogg) {
  plErr = 0;
  psErr.clear();
  Lato vecchio, nuovo;
  vecchio.segno = psSegnoPrec, vecchio.conto = psContoPrec, vecchio.pagam = psPagamPrec;
  vecchio.moneta = psMonetaPrec, vecchio.sogg = pvSoggPrec;
  nuovo.segno = psSegno, nuovo.conto = psConto, nuovo.pagam = psPagam, nuovo.moneta = psMoneta, nuovo.sogg = pvSogg;
  std::string recRighe;
  try {
    const bool flagDati = !pvSoggPrec.IsMissing() && !pvSogg.IsMissing();
    ValutaLato(vecchio, g, flagDati);
    ValutaLato(nuovo, g, flagDati);
    auto& rs = Rs();
    bool trovata = false;
    if (vecchio.vuoleRiga) {
      CercaRigaSpesa(recRighe, psTabSpese, piAnno, plNumRif, vecchio.recPag, "");
      trovata = !rs.NessunRecord(recRighe);
    }
    if (trovata && nuovo.vuoleRiga && vb::UgualeTesto(vecchio.spesa, nuovo.spesa)) {
      rs.ModificaRecord(recRighe);
      AggValoriSpesa(recRighe, nuovo.recPag, nuovo.numScad, psMoneta, psIva);
      rs.SalvaRecord(recRighe);
    } else if (trovata && nuovo.vuoleRiga) {
      rs.CancellaRecord(recRighe);
      InsRigaSpesa(recRighe, psTabSpese, piAnno, plNumRif, nuovo.recPag, nuovo.numScad, psMoneta, psIva);
    } else if (trovata) {
      rs.CancellaRecord(recRighe);
    } else if (nuovo.vuoleRiga) {
      InsRigaSpesa(recRighe, psTabSpese, piAnno, plNumRif, nuovo.recPag, nuovo.numScad, psMoneta, psIva);
    }
  } catch (...) {
    LeggiErrore(plErr, psErr);
  }
  for (std::string* k : {&recRighe, &vecchio.recCli, &vecchio.recPag, &nuovo.recCli, &nuovo.recPag})
    ChiudiSilenzioso(*k);
  return vb::Variant(static_cast<int>(plErr));
}

}  // namespace

bool MonetaNazionale(const std::string& psMoneta) {
  return vb::UgualeTesto(psMoneta, G().gsCodLira) || vb::UgualeTesto(psMoneta, G().gsCodEuro);
}

bool MonetaAdatta(const std::string& psMonetaSpesa, const std::string& psMonetaDoc) {
  if (vb::UgualeTesto(psMonetaSpesa, psMonetaDoc)) return true;
  return MonetaNazionale(psMonetaSpesa) && MonetaNazionale(psMonetaDoc);
}

bool ColonneLire(const std::string& psMonetaDoc) { return vb::UgualeTesto(psMonetaDoc, G().gsCodLira); }

void CalcUltRiga(const std::string& psTabSpese, int16_t piAnno, int32_t plNumRif, int32_t& plNumRiga) {
  auto& rs = Rs();
  const std::string k = Apri("Select top 1 * from " + psTabSpese + " where anno = " + Anno(piAnno) +
                                 " AND NumRif = " + Numero(plNumRif) + " order by Riga DESC",
                             4);
  try {
    plNumRiga = rs.NessunRecord(k) ? 0 : rs.LeggiCampo(k, "Riga").ToLong();
  } catch (...) {
    rs.ChiudiRecordset(k);
    throw;
  }
  rs.ChiudiRecordset(k);
}

void CercaRigaSpesa(std::string& psRecRighe, const std::string& psTabSpese, int16_t piAnno, int32_t plNumRif,
                    const std::string& psRecSpesa, const std::string& psSpesa) {
  const std::string codice = Vuoto(psSpesa) ? Testo(Rs().LeggiCampo(psRecSpesa, "Spese.Spesa")) : psSpesa;
  psRecRighe = Apri("Select TOP 1 * from " + psTabSpese + " where anno = " + Anno(piAnno) +
                        " AND NumRif = " + Numero(plNumRif) + " AND Spesa = " + TestoSql(codice),
                    2);
}

void AggValoriSpesa(const std::string& psRecRighe, const std::string& psRecSpesa, int16_t piNumScad,
                    const std::string& psMoneta, const std::string& psIva) {
  auto& rs = Rs();
  rs.ScriviCampo(psRecRighe, "Iva",
                 Vuoto(vb::Trim(psIva)) ? vb::Variant(Testo(rs.LeggiCampo(psRecSpesa, "Spese.Iva")))
                                        : vb::Variant(psIva));
  rs.ScriviCampo(psRecRighe, "Percentuale", vb::Variant(Fc().ValDouble(rs.LeggiCampo(psRecSpesa, "Spese.Percentuale"))));
  const bool lire = ColonneLire(psMoneta);
  const char* importo = lire ? "Spese.ImportoLire" : "Spese.Importo";
  const char* massimo = lire ? "Spese.ImportoMaxLire" : "Spese.ImportoMax";
  const char* minimo = lire ? "Spese.ImportoMinLire" : "Spese.ImportoMin";
  rs.ScriviCampo(psRecRighe, "Importo", vb::Variant(Importo(rs.LeggiCampo(psRecSpesa, importo)) * int64_t{piNumScad}));
  rs.ScriviCampo(psRecRighe, "ImportoMax", vb::Variant(Importo(rs.LeggiCampo(psRecSpesa, massimo))));
  rs.ScriviCampo(psRecRighe, "ImportoMin", vb::Variant(Importo(rs.LeggiCampo(psRecSpesa, minimo))));
}

void InsRigaSpesa(std::string& psRecRighe, const std::string& psTabSpese, int16_t piAnno, int32_t plNumRif,
                  const std::string& psRecSpesa, int16_t piNumScad, const std::string& psMoneta,
                  const std::string& psIva) {
  auto& rs = Rs();
  if (psRecRighe.empty()) psRecRighe = Apri("Select * from " + psTabSpese + " where false", 2);
  int32_t n = 0;
  CalcUltRiga(psTabSpese, piAnno, plNumRif, n);
  if (n == INT32_MAX) vb::Solleva(vb::ErrOverflow);
  rs.NuovoRecord(psRecRighe);
  rs.ScriviCampo(psRecRighe, "Anno", vb::Variant(piAnno));
  rs.ScriviCampo(psRecRighe, "NumRif", vb::Variant(static_cast<int>(plNumRif)));
  rs.ScriviCampo(psRecRighe, "Riga", vb::Variant(static_cast<int>(n + 1)));
  rs.ScriviCampo(psRecRighe, "Spesa", vb::Variant(Testo(rs.LeggiCampo(psRecSpesa, "Spese.Spesa"))));
  rs.ScriviCampo(psRecRighe, "SoggRitAcc", vb::Variant(Testo(rs.LeggiCampo(psRecSpesa, "Spese.SoggRitAcc"))));
  AggValoriSpesa(psRecRighe, psRecSpesa, piNumScad, psMoneta, psIva);
  rs.SalvaRecord(psRecRighe);
}

vb::Variant EsisteCassaPrev(const std::string& psTabSpese, int16_t piAnno, int32_t plNumRif) {
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(
      *G().goDbAzienda, G().gsConnAzienda, "",
      "Select TOP 1 * from (" + psTabSpese + " Left Join Spese" + " On Spese.Spesa = " + psTabSpese + ".Spesa)" +
          " where " + psTabSpese + ".anno = " + Anno(piAnno) + " AND " + psTabSpese + ".NumRif = " +
          Numero(plNumRif) + " AND CassaPrev = 'S'",
      false, 4);
  const bool esiste = !rs.NessunRecord(k);
  rs.ChiudiRecordset(k);
  return vb::Variant(esiste);
}

vb::Variant InsSpeseStandard(const std::string& psTabSpese, int16_t piAnno, int32_t plNumRif,
                             const std::string& psSegno, const std::string& psMoneta, const std::string& psIva,
                             bool& pbAggPiede, int32_t& plErr, std::string& psErr, const std::string& psFiltro) {
  plErr = 0;
  psErr.clear();
  if (!SegnoValido(psSegno)) return vb::Variant(0);
  std::string recSpese, recRighe;
  try {
    auto& rs = Rs();
    recSpese = Apri("Select * from Spese" + (Vuoto(psFiltro) ? std::string(" Where Standard = 'S'") : psFiltro), 4);
    for (; !rs.FineRec(recSpese); rs.ProssimoRec(recSpese)) {
      if (!MonetaAdatta(Testo(rs.LeggiCampo(recSpese, "Spese.Moneta")), psMoneta)) continue;
      InsRigaSpesa(recRighe, psTabSpese, piAnno, plNumRif, recSpese, 1, psMoneta, psIva);
      pbAggPiede = true;
    }
  } catch (...) {
    LeggiErrore(plErr, psErr);
  }
  ChiudiSilenzioso(recRighe);
  ChiudiSilenzioso(recSpese);
  return vb::Variant(static_cast<int>(plErr));
}

vb::Variant SostSpesaDoc(const std::string& psTabSpese, int16_t piAnno, int32_t plNumRif,
                         const std::string& psSpesaPrec, const std::string& psSpesa, const std::string& psSegnoPrec,
                         const std::string& psSegno, const std::string& psMoneta, const std::string& psIva,
                         int32_t& plErr, std::string& psErr) {
  plErr = 0;
  psErr.clear();
  int32_t esito = 0;
  std::string recRighe, recSpesa;
  try {
    auto& rs = Rs();
    bool trovata = false;
    if (!Vuoto(psSpesaPrec) && SegnoValido(psSegnoPrec)) {
      CercaRigaSpesa(recRighe, psTabSpese, piAnno, plNumRif, "", psSpesaPrec);
      trovata = !rs.NessunRecord(recRighe);
    }
    bool nuova = false;
    if (!Vuoto(psSpesa) && SegnoValido(psSegno)) {
      recSpesa = Apri("Select Spese.* from Spese where Spesa = " + TestoSql(psSpesa), 4);
      nuova = !rs.NessunRecord(recSpesa);
      if (!nuova) ChiudiSilenzioso(recSpesa);
    }
    if (!nuova) {
      if (trovata) {
        rs.CancellaRecord(recRighe);
        esito = -1;
      }
    } else if (trovata) {
      if (!vb::UgualeTesto(psSpesa, psSpesaPrec)) {
        rs.CancellaRecord(recRighe);
        InsRigaSpesa(recRighe, psTabSpese, piAnno, plNumRif, recSpesa, 1, psMoneta, psIva);
        esito = -1;
      }
    } else {
      InsRigaSpesa(recRighe, psTabSpese, piAnno, plNumRif, recSpesa, 1, psMoneta, psIva);
      esito = -1;
    }
  } catch (...) {
    LeggiErrore(plErr, psErr);
    esito = plErr;
  }
  ChiudiSilenzioso(recRighe);
  ChiudiSilenzioso(recSpesa);
  return vb::Variant(static_cast<int>(esito));
}

vb::Variant VerifSpeseBanPag(const std::string& psTabSpese, int16_t piAnno, int32_t plNumRif,
                             const std::string& psSegnoPrec, const std::string& psSegno,
                             const std::string& psContoPrec, const std::string& psConto,
                             const std::string& psPagamPrec, const std::string& psPagam,
                             const std::string& psMonetaPrec, const std::string& psMoneta, const std::string& psIva,
                             int32_t& plErr, std::string& psErr, const vb::Variant& pvSoggPrec,
                             const vb::Variant& pvSogg) {
  return Ricontrolla(kBanca, psTabSpese, piAnno, plNumRif, psSegnoPrec, psSegno, psContoPrec, psConto, psPagamPrec,
                     psPagam, psMonetaPrec, psMoneta, psIva, plErr, psErr, pvSoggPrec, pvSogg);
}

vb::Variant VerifSpeseBolli(const std::string& psTabSpese, int16_t piAnno, int32_t plNumRif,
                            const std::string& psSegnoPrec, const std::string& psSegno,
                            const std::string& psContoPrec, const std::string& psConto,
                            const std::string& psPagamPrec, const std::string& psPagam,
                            const std::string& psMonetaPrec, const std::string& psMoneta, const std::string& psIva,
                            int32_t& plErr, std::string& psErr, const vb::Variant& pvSoggPrec,
                            const vb::Variant& pvSogg) {
  return Ricontrolla(kBolli, psTabSpese, piAnno, plNumRif, psSegnoPrec, psSegno, psContoPrec, psConto, psPagamPrec,
                     psPagam, psMonetaPrec, psMoneta, psIva, plErr, psErr, pvSoggPrec, pvSogg);
}

void AzzeraStato() { gRs.reset(); }

}  // namespace AggSpeBan
