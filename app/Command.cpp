#include "Command.h"

#include "Connection.h"

void Command::execute()
{
    m_connection->exec(m_sql);
}
