// Which Db2 platform a connection reaches, as Connect's probes found it.
#pragma once

namespace zuno {

// None until a probe has answered.
enum class DatabaseFlavour { None, Db2Luw, Db2Zos };

}  // namespace zuno
