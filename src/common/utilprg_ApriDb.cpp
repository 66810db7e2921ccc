#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/utilprg.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Percorsi.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/menu/ClientMenu.h"

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

bool Inizia(const std::string& s, const char* prefisso) {
  return vb::UgualeTesto(vb::Left(s, vb::Len(prefisso)), prefisso);
}

bool Finisce(const std::string& s, const char* suffisso) {
  return vb::UgualeTesto(vb::Right(s, vb::Len(suffisso)), suffisso);
}

vb::Variant ParamMenu(const std::string& nome) {
  auto& c = G().goMenuClient;
  if (!c) vb::Solleva(91, "Variabile oggetto non impostata: goMenuClient");
  return c->LeggiParam(nome, "");
}

// Hands the menu's server login to the manager.
void ScriviLogin(dati::GestDatabase& db) {
  db.ScriviVar("DbSqlPubUID", 12, ParamMenu("SqlLogin"));
  db.ScriviVar("DbSqlPubPWD", 12, ParamMenu("SqlPwd"));
}

}  // namespace

namespace utilprg {

bool ConnessioneOdbc(const std::string& psNome) {
  return Inizia(psNome, "ODBC;") || Finisce(psNome, ".dsn") || vb::InStr(psNome, ".") == 0;
}

std::shared_ptr<DatabaseDao> ApriDbDao(const std::string& psNome, const std::string& psLogin,
                                       const std::string& psPwd) {
  std::string login;
  if (!psLogin.empty()) {
    login = "UID=" + psLogin;
    if (!psPwd.empty()) login += ";PWD=" + psPwd;
  }
  auto dao = std::make_shared<DatabaseDao>();
  dao->gestore = std::make_shared<dati::GestDatabase>();
  if (Inizia(psNome, "ODBC;")) {
    dao->connessione = psNome;
  } else if (Finisce(psNome, ".dsn")) {
    dao->connessione = "ODBC;FIleDSN=" + psNome + ";" + login;
  } else if (vb::InStr(psNome, ".") > 0) {
    dao->nome = psNome;
  } else {
    dao->connessione = "ODBC;DSN=" + psNome + ";" + login;
  }
  dao->chiave = dao->gestore->ApriDatabase(dao->nome, 0, false, false, dao->connessione);
  return dao;
}

}  // namespace utilprg

namespace AziendaUtil {

vb::Variant ApriDbLogin(dati::GestDatabase& pgDb, std::string& psNome, std::string& psPwd, std::string& psConnect) {
  std::string risultato;
  const bool server = utilprg::ConnessioneOdbc(psNome) && !Inizia(psNome, "ODBC;");
  if (server) {
    if (Fc().Vuoto(pgDb.LeggiVar("DbSqlPubPWD", 12))) {
      // The request lets the menu ask the user; the login is then found
      // under "SqlLogin" and "SqlPwd".
      if (Fc().Vuoto(ParamMenu("SqlLogin"))) ParamMenu("ChiediPwdSql");
      ScriviLogin(pgDb);
    }
  } else {
    pgDb.ScriviVar("DbAccPWD", 12, psPwd);
  }
  while (true) {
    try {
      const std::string connect = vb::Trim(psConnect).empty() ? std::string() : psConnect;
      return vb::Variant(pgDb.ApriDatabase(psNome, 0, false, false, connect));
    } catch (const vb::Errore& e) {
      const long codice = Fc().CodiceErrore(e.Number());
      if (codice == 3059 && server) {
        if (frmMsgCom::msgCom("Utente o password non validi per SQL", "&Riprovare", "&Annulla") != 1)
          return vb::Variant(risultato);
        ParamMenu("ChiediPwdSql");
        ScriviLogin(pgDb);
        continue;
      }
      if (codice == 3031) {
        risultato = "Err: 3031";
        frmMsgCom::msgCom("Password non valida per questo database", "&Ok");
        return vb::Variant(risultato);
      }
      risultato = "Err: " + std::to_string(codice);
      // The database as the user wrote it in the ini, not as this machine
      // reaches it, nor the engine underneath.
      std::string descrizione = e.Description();
      const std::string locale = vb::PercorsoLocale(psNome);
      if (!psNome.empty() && !locale.empty() && locale != psNome)
        descrizione = vb::Replace(descrizione, locale, psNome);
      frmMsgCom::MsgErrfrm(vb::Variant(descrizione), vb::Variant(codice));
      return vb::Variant(risultato);
    }
  }
}

}  // namespace AziendaUtil
