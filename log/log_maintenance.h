#pragma once
// Looking after the log: deleting its last record, sorting it by date,
// clearing it with its password.

#include <memory>
#include <string_view>

#include "core/safe_file.h"
#include "log/log_report.h"
#include "log/record_store.h"

namespace paylog {

// The question before deleting the last record in stored order: "确认要删除"
// + its date + "的加班记录！" (an empty log names 1899年12月30日). When the log
// cannot be opened, not ok and the message says why.
LogReport deletionQuestion(RecordStore& store, std::string_view password);

// Deletes the last record in stored order; an empty log stays empty. No
// message on success.
LogReport deleteLastRecord(RecordStore& store, std::string_view password);

// Rewrites the log in ascending date order ("排序完成！"). The sorted copy
// "临时加班.EDB" replaces the log in one rename while the log is still held,
// so the log is at every moment either the old or the new one; on failure it
// stays as it was and the copy written for it is removed. `files` null means
// the real file system.
LogReport sortLog(RecordStore& store, std::string_view password,
                  const std::shared_ptr<FileLayer>& files = nullptr);

// Removes every record, opening the log with the password the user typed
// ("数据库清空成功！", or "数据库清空失败！请确认密码是否正确！" for a wrong one).
LogReport clearLog(RecordStore& store, std::string_view typedPassword);

}  // namespace paylog
