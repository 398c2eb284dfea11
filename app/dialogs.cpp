#include "app/dialogs.h"

namespace paylog {

const Text& defaultMessageTitle() {
    static const Text kTitle = gbk("信息：");
    return kTitle;
}

}  // namespace paylog
