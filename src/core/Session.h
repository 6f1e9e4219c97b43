#pragma once

#include <QString>

// Who is working and on which school year. One per process, written only by log-on and
// log-off, read everywhere.
namespace core {

struct Rights
{
    bool alunos = false;
    bool notas = false;
    bool caixa = false;
    bool carnes = false;
    bool backup = false;
    bool tabelas = false;
};

struct Session
{
    QString userName;     // empty: nobody logged on
    bool supervisor = false;
    Rights rights;
    QString schoolYear;   // four characters
    QString dataDir;
    QString photosDir;

    bool isOpen() const { return !userName.isEmpty(); }
    // Forgets the user and the rights; the data and photos directories stay until the next log-on.
    void clearUser();
};

Session &session();

} // namespace core
