#include "app/usage_texts.h"

namespace paylog {

const std::array<CanvasLine, kUsageNoteCount>& usageNotes() {
    static const std::array<CanvasLine, kUsageNoteCount> kNotes{{
        {10, 20, gbk("＆红颜色代表该项目将加入底工资！(也就是加班费计算基数。)")},
        {10, 40, gbk("＆计算结果仅供参考！")},
        {10, 60, gbk("＆准确率在于输入数据的准确程度！")},
        {10, 80, gbk("＆界面基本上不会做美化，本人美化技术 差！差！差！！！...........")},
        {10, 100, gbk("＆使用中遇到问题或有什么心愿，欢迎告诉我们，请点右下角的“意见反馈”按钮！")},
    }};
    return kNotes;
}

// One character per piece so that they appear one by one; the verse's short
// line comes last, above the other two.
const std::array<CanvasLine, kSayingCount>& usageSayings() {
    // One saying a line, however long.
    // clang-format off
    static const std::array<CanvasLine, kSayingCount> kSayings{{
        {0, 150, gbk("工 作 是 为 了 好 好 生 活 ， 再 忙 也 要 按 时 吃 饭 ， 累 了 就 歇 一 歇 ， 明 天 又 是 新 一 天 。 ")},
        {0, 190, gbk("每 一 份 汗 水 都 算 数 ， 加 班 的 夜 晚 ， 也 请 记 得 ， 家 人 在 等 你 。  ")},
        {0, 230, gbk("休 息 从 来 不 是 偷 懒 ， 是 为 了 能 走 更 远 的 路 。 ")},
        {0, 270, gbk("把 每 笔 账 算 清 楚 ， 心 里 才 踏 实 ； 把 身 体 照 顾 好 ， 日 子 才 过 得 长 久 。 ")},
        {0, 310, gbk("工 资 单 上 的 数 字 有 高 也 有 低 ， 可 你 的 努 力 和 成 长 ， 别 人 谁 也 拿 不 走 。 ")},
        {0, 350, gbk("周 末 不 妨 放 下 手 机 去 公 园 走 一 走 ， 看 看 花 草 树 木 听 听 鸟 叫 心 就 静 了 。 ")},
        {0, 390, gbk("早 点 下 班 ， 陪 陪 父 母 ， 多 说 几 句 暖 心 话 。 ")},
        {0, 430, gbk("日 子 是 自 己 的 ， 慢 一 点 无 妨 ， 平 平 安 安 就 是 福 气 。 ")},
        {0, 540, gbk("晨 光 照 进 窗 台 一 盏 清 茶 配 一 页 书 卷 ")},
        {0, 580, gbk("晚 风 吹 过 街 角 一 碗 热 汤 等 一 人 归 家 ")},
        {60, 500, gbk("愿 你 岁 岁 平 安 喜 乐 ")},
    }};
    // clang-format on
    return kSayings;
}

}  // namespace paylog
