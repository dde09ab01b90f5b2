#pragma once

#include <QString>

struct sqlite3;

// Facts about the program's database files and their creation.
namespace DatabaseFile {

// PRAGMA application_id of every file the program makes ("CJTD").
constexpr int ApplicationId = 0x434A5444;
constexpr int SchemaVersion = 1;
// The password of every database file of the program.
QString programPassword();

// Relative paths inside the program folder.
QString livePath();   // data/cljdgldb.mdb
QString exportPath(); // databak/cljdgldb.mdb

// The salted SHA-256 verifier of a password as stored in the metadata table.
QString passwordVerifier(const QString &salt, const QString &password);
// True when the password matches the verifier stored in an open database.
bool checkPassword(sqlite3 *db, const QString &password);

// Creates a new database file with the schema, the password verifier and the shipped code lists.
// Refuses (AppError) when the file exists. Written under a temporary name and renamed, so a failure
// never leaves a half-made file at the path.
void create(const QString &path, const QString &password);

} // namespace DatabaseFile
