#pragma once
// Transactions of the data-access engine: like the legacy workspace, a
// transaction spans the database connections of the process. A connection
// joins the open transaction when it first writes inside it (then at the
// same nesting depth), so a second connection that only reads, or a handle
// on the same file that never writes, is not held in a lock it does not
// need.
namespace dati {

class Connessione;

void RegistraConnessione(Connessione* c);
void DimenticaConnessione(Connessione* c);

// Called before every write of a connection.
void PartecipaTransazione(Connessione& c);

void IniziaTransWorkspace();
void ConfermaTransWorkspace();
void AnnullaTransWorkspace();
int LivelloTransWorkspace();

}  // namespace dati
