// The lot-interface table 0_RigheDdt kept in step with a restored DDT: a
// marker row (batch and lot "zzzzzzzzzz") stands for the DDT's number while
// it is restored; active rows are taken away, or cancelled rows written
// when there were none.
#include "common/Globali.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "services/DbDitta.h"
#include "services/Impostazioni.h"
#include "stock/RipriDdt.h"

namespace RipriDdt {

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }
std::string L(const vb::Variant& v, int tipo) { return Fc().ValoreSql(v, tipo); }
constexpr const char* kSegnaposto = "zzzzzzzzzz";

const char* const kInsert = "INSERT INTO 0_RigheDdt (NUM_DDT, DATA, ORA, COD_cliente, Partita, Lotto, Peso_netto,"
                            " Num_colli, trasporti_id, TARGA, Annullato) VALUES ";

void Esegui(const std::string& sql) { servizi::DbDitta().EseguiSql(G().gsConnAzienda, sql); }

}  // namespace

bool AggInterfLotti(dati::GestRecordset& pgRecordset, const std::string& psChiaveDdt, const std::string& psTrattamento,
                    std::string& psNumDdt) {
  dati::GestRecordset& rs = pgRecordset;
  const std::string& kd = psChiaveDdt;
  psNumDdt = servizi::Testo(rs.LeggiCampo(kd, "DdtTest.PreDoc")) +
             vb::Trim(std::to_string(Fc().ValLong(rs.LeggiCampo(kd, "DdtTest.NumDoc"))));
  const std::string num = L(vb::Variant(psNumDdt), vb::vbString);

  std::string k = rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "",
                                   "Select * from 0_RigheDdt Where NUM_DDT = " + num + " AND Annullato = False",
                                   false, 4);
  const bool attive = !rs.NessunRecord(k);
  rs.ChiudiRecordset(k);

  const int16_t anno = Fc().ValInt(rs.LeggiCampo(kd, "DdtTest.Anno"));
  const int32_t numRif = Fc().ValLong(rs.LeggiCampo(kd, "DdtTest.NumRif"));
  const std::string sql =
      std::string("SELECT DdtDett.*, DdtTest.DataInizioTrasp, DdtTest.OraInizioTrasp") +
      ", PianoConti.CodTrascodifica" + ", Vettori.CodTrascodifica, Vettori.Targa" + " FROM (DdtDett INNER JOIN" +
      " (DdtTest LEFT JOIN Vettori" + " ON DdtTest.Vettore = Vettori.Vettore)" +
      " ON DdtDett.NumRif = DdtTest.NumRif" + " AND DdtDett.Anno = DdtTest.Anno)" + " LEFT JOIN PianoConti" +
      " ON DdtTest.ContoCli = PianoConti.Conto" + " AND DdtTest.MastroCli = PianoConti.Mastro" +
      " AND DdtTest.GruppoCli = PianoConti.Gruppo" + " WHERE DdtTest.Anno = " + L(vb::Variant(anno), vb::vbInteger) +
      " AND DdtTest.NumRif = " + L(vb::Variant(static_cast<long>(numRif)), vb::vbLong) +
      " AND not isnull(DdtDett.DescPers1)" + " AND not isnull(DdtDett.DescPers3)" +
      " AND not isnull(PianoConti.CodTrascodifica)" + " AND DdtDett.DescPers2 = " +
      L(vb::Variant(psTrattamento), vb::vbString);
  k = rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "", sql, false, 4);
  if (rs.NessunRecord(k)) {
    rs.ChiudiRecordset(k);
    return false;
  }
  try {
    const vb::Variant codCliente = rs.LeggiCampo(k, "PianoConti.CodTrascodifica");
    const std::string trasporti =
        Fc().Vuoto(rs.LeggiCampo(kd, "DdtTest.Vettore"))
            ? vb::Left(servizi::Testo(rs.LeggiCampo(kd, "DdtTest.RagSocVett")), 20)
            : servizi::Testo(rs.LeggiCampo(k, "Vettori.CodTrascodifica"));
    const vb::Variant targa = Fc().Vuoto(rs.LeggiCampo(kd, "DdtTest.TargaVett")) ? rs.LeggiCampo(k, "Vettori.Targa")
                                                                                 : rs.LeggiCampo(kd, "DdtTest.TargaVett");
    const std::string data = L(rs.LeggiCampo(kd, "DdtTest.DataInizioTrasp"), vb::vbDate);
    const std::string ora = L(rs.LeggiCampo(kd, "DdtTest.OraInizioTrasp"), vb::vbDate);
    const std::string comuni = "(" + num + "," + data + "," + ora + "," + L(codCliente, vb::vbString);
    const std::string tr = L(vb::Variant(trasporti), vb::vbString);
    Esegui(kInsert + comuni + "," + L(vb::Variant(kSegnaposto), vb::vbString) + "," +
           L(vb::Variant(kSegnaposto), vb::vbString) + ",0" + ",0" + "," + tr + ",Null" +
           (attive ? ",true" : ",False") + ")");
    if (attive) {
      Esegui("Delete * from 0_RigheDdt Where NUM_DDT = " + num + " AND Annullato = False" +
             " AND Partita <> " + L(vb::Variant(kSegnaposto), vb::vbString) + " AND Lotto <> " +
             L(vb::Variant(kSegnaposto), vb::vbString));
    } else {
      while (!rs.FineRec(k)) {
        Esegui(kInsert + comuni + "," + L(rs.LeggiCampo(k, "DescPers1"), vb::vbString) + "," +
               L(rs.LeggiCampo(k, "DescPers3"), vb::vbString) + "," + L(rs.LeggiCampo(k, "Qta"), vb::vbDouble) + "," +
               L(rs.LeggiCampo(k, "Colli"), vb::vbDouble) + "," + tr + "," + L(targa, vb::vbString) + ",true)");
        rs.ProssimoRec(k);
      }
    }
  } catch (...) {
    rs.ChiudiRecordset(k);
    throw;
  }
  rs.ChiudiRecordset(k);
  return true;
}

void CancSegnapostoLotti(const std::string& psNumDdt) {
  Esegui("Delete * from 0_RigheDdt Where NUM_DDT = " + L(vb::Variant(psNumDdt), vb::vbString) +
         " AND Partita = " + L(vb::Variant(kSegnaposto), vb::vbString) + " AND Lotto = " +
         L(vb::Variant(kSegnaposto), vb::vbString));
}

}  // namespace RipriDdt
