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

// A value of a connect text as the database manager writes it: between
// braces, each "}" doubled, when it holds a separator or a brace or begins
// or ends with a blank (a password always), so that it is read back whole
// and cannot add attributes of its own.
std::string ValoreConnessione(const std::string& valore, bool sempre) {
  const bool graffe = sempre || valore.find_first_of(";{}") != std::string::npos ||
                      (!valore.empty() && (valore.front() == ' ' || valore.back() == ' '));
  if (!graffe) return valore;
  std::string s = "{";
  for (char c : valore) {
    s.push_back(c);
    if (c == '}') s.push_back('}');
  }
  s.push_back('}');
  return s;
}

}  // namespace

namespace utilprg {

std::string SenzaPassword(const std::string& psConnect) {
  const std::string& s = psConnect;
  const size_t n = s.size();
  std::string out;
  size_t i = 0;
  while (i < n) {
    const size_t uguale = s.find_first_of("=;", i);
    if (uguale == std::string::npos) {
      out += s.substr(i);
      break;
    }
    out += s.substr(i, uguale - i + 1);
    if (s[uguale] == ';') {
      i = uguale + 1;
      continue;
    }
    const std::string chiave = vb::Trim(s.substr(i, uguale - i));
    i = uguale + 1;
    // The value runs to the next ";" outside braces ("}}" inside them is a
    // brace of the value); an unclosed brace runs to the end.
    size_t v = i;
    while (v < n && (s[v] == ' ' || s[v] == '\t')) ++v;
    size_t fine = std::string::npos;
    if (v < n && s[v] == '{') {
      for (size_t j = v + 1; j < n; ++j) {
        if (s[j] != '}') continue;
        if (j + 1 < n && s[j + 1] == '}') {
          ++j;
          continue;
        }
        fine = s.find(';', j + 1);
        break;
      }
      if (fine == std::string::npos) fine = n;
    } else {
      fine = s.find(';', i);
      if (fine == std::string::npos) fine = n;
    }
    if (vb::UgualeTesto(chiave, "PWD") || vb::UgualeTesto(chiave, "Password")) out += "********";
    else out += s.substr(i, fine - i);
    i = fine;
  }
  return out;
}

bool ConnessioneOdbc(const std::string& psNome) {
  return Inizia(psNome, "ODBC;") || Finisce(psNome, ".dsn") || vb::InStr(psNome, ".") == 0;
}

std::shared_ptr<DatabaseDao> ApriDbDao(const std::string& psNome, const std::string& psLogin,
                                       const std::string& psPwd) {
  std::string login;
  if (!psLogin.empty()) {
    login = "UID=" + ValoreConnessione(psLogin, false);
    if (!psPwd.empty()) login += ";PWD=" + ValoreConnessione(psPwd, true);
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
