#include "platform/dati/GestRecordset.h"

#include "platform/Errore.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"

namespace dati {

Recordset& GestRecordset::Rs(const std::string& k) {
  if (ultimo_ && k == ultimaChiave_) return *ultimo_;
  auto it = aperti_.find(k);
  if (it == aperti_.end()) vb::Solleva(3420, "Recordset non aperto: \"" + k + "\"");
  ultimaChiave_ = k;
  ultimo_ = it->second.get();
  return *ultimo_;
}

std::string GestRecordset::ApriRecordset(GestDatabase& db, const std::string& conn,
                                         const std::string& chiave, const std::string& sql, bool,
                                         int tipo) {
  std::string k = chiave.empty() ? "Rs" + std::to_string(++prossima_) : chiave;
  ultimo_ = nullptr;
  aperti_.erase(k);
  auto rs = std::make_unique<Recordset>(db, conn, sql, tipo == 2 ? 2 : 4);
  aperti_[k] = std::move(rs);
  return k;
}

bool GestRecordset::NessunRecord(const std::string& k) { return Rs(k).NessunaCorrente(); }
bool GestRecordset::FineRec(const std::string& k) { return Rs(k).EOF_(); }
bool GestRecordset::InizioRec(const std::string& k) { return Rs(k).BOF(); }
void GestRecordset::PrimoRec(const std::string& k) { Rs(k).MoveFirst(); }
void GestRecordset::ProssimoRec(const std::string& k) { Rs(k).MoveNext(); }
void GestRecordset::PrecedenteRec(const std::string& k) { Rs(k).MovePrevious(); }
void GestRecordset::UltimoRec(const std::string& k) { Rs(k).MoveLast(); }
long GestRecordset::NumRecord(const std::string& k) { return Rs(k).RecordCount(); }
long GestRecordset::PosRecord(const std::string& k) { return Rs(k).AbsolutePosition(); }

void GestRecordset::VaiARec(const std::string& k, long plPos) { Rs(k).SetAbsolutePosition(plPos); }

vb::Variant GestRecordset::LeggiCampo(const std::string& k, std::string_view campo,
                                      std::optional<int> tipo) {
  const Recordset& rs = Rs(k);
  const int i = rs.Indice(campo);
  if (i >= 0) {
    const vb::Variant& v = rs.Valore(i);
    if (!v.IsNull()) return v;
  } else if (rs.NumCampi() > 0) {
    rs.Valore(0);  // off the rows: "no current row", whatever the column
  }
  if (tipo && (*tipo == vb::vbCurrency || *tipo == vb::vbDouble || *tipo == vb::vbLong ||
               *tipo == vb::vbInteger))
    return vb::Variant(0);
  return vb::Variant("");
}

vb::Variant GestRecordset::LeggiCampoNull(const std::string& k, std::string_view campo) {
  return Rs(k).Leggi(campo);
}

void GestRecordset::NuovoRecord(const std::string& k) { Rs(k).AddNew(); }
void GestRecordset::ModificaRecord(const std::string& k) { Rs(k).Edit(); }
void GestRecordset::ScriviCampo(const std::string& k, const std::string& campo, const vb::Variant& valore) {
  Rs(k).Scrivi(campo, valore);
}
void GestRecordset::SalvaRecord(const std::string& k) { Rs(k).Update(); }
void GestRecordset::CancellaRecord(const std::string& k) { Rs(k).Delete(); }
void GestRecordset::VaiUltimoMod(const std::string& k) { Rs(k).VaiUltimoMod(); }
void GestRecordset::Riapri(const std::string& k, const std::string& condizione, int) {
  Rs(k).Requery(condizione);
}
void GestRecordset::ChiudiRecordset(const std::string& k) {
  ultimo_ = nullptr;
  aperti_.erase(k);
}

long GestRecordset::CopiaRecord(const std::string& origine, const std::string& destinazione, bool, bool,
                                bool) {
  try {
    Recordset& o = Rs(origine);
    Recordset& d = Rs(destinazione);
    if (o.NessunaCorrente()) return 21;
    d.AddNew();
    for (int i = 0; i < d.NumCampi(); ++i) {
      const ColonnaUscita& c = d.Campo(i);
      if (c.tabellaBase.empty()) continue;
      int j = o.Indice(c.nome);
      if (j < 0) continue;
      try {
        d.Scrivi(c.qualificatore.empty() ? c.nome : c.qualificatore + "." + c.nome, o.Valore(j));
      } catch (const vb::Errore& e) {
        if (e.Number() != ErrCampoNonAggiornabile) throw;  // columns of other tables stay out
      }
    }
    return 0;
  } catch (const vb::Errore& e) {
    return e.Number() > 0 ? e.Number() : 1;
  }
}

void GestRecordset::CercaPrimo(const std::string& k, const std::string& criterio) { Rs(k).FindFirst(criterio); }
void GestRecordset::CercaProssimo(const std::string& k, const std::string& criterio) { Rs(k).FindNext(criterio); }
bool GestRecordset::NonTrovato(const std::string& k) { return Rs(k).NoMatch(); }

Recordset& GestRecordset::RecordsetDao(const std::string& k) { return Rs(k); }

}  // namespace dati
