#include "DemoData.h"

#include "app/AppError.h"
#include "app/Statement.h"

#include <QDate>
#include <QHash>
#include <QStringList>
#include <QVariant>
#include <random>

namespace DemoData {

namespace {

struct Code
{
    QString code;
    QString text;
    int depth = 0;
};

class Generator
{
public:
    explicit Generator(quint32 seed) : m_rng(seed) {}

    int below(int n) { return n <= 0 ? 0 : int(m_rng() % quint32(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T> const T &pick(const QList<T> &items) { return items.at(below(int(items.size()))); }
    QString pickText(const QStringList &items) { return items.at(below(int(items.size()))); }

    QString id()
    {
        // The shape of a real achievement identifier: 32 upper-case hexadecimal digits.
        QString s;
        for (int i = 0; i < 4; ++i)
            s += QStringLiteral("%1").arg(quint32(m_rng()), 8, 16, QLatin1Char('0'));
        return s.toUpper();
    }
    QDate dateIn(int year) { return QDate(year, 1, 1).addDays(below(365)); }
    double amount(int maxWan) { return double(below(maxWan * 100)) / 100.0; }

private:
    std::mt19937 m_rng;
};

const QStringList objects = {
    QStringLiteral("水稻"),     QStringLiteral("玉米"),     QStringLiteral("茶叶"),     QStringLiteral("柑橘"),
    QStringLiteral("生猪"),     QStringLiteral("中药材"),   QStringLiteral("输电线路"), QStringLiteral("城市污水"),
    QStringLiteral("桥梁结构"), QStringLiteral("隧道围岩"), QStringLiteral("煤矿瓦斯"), QStringLiteral("冷链物流"),
    QStringLiteral("锂离子电池"), QStringLiteral("风电机组"), QStringLiteral("光伏组件"), QStringLiteral("高速铁路"),
    QStringLiteral("河湖水质"), QStringLiteral("农村饮水"), QStringLiteral("森林火灾"), QStringLiteral("地质灾害"),
    QStringLiteral("慢性病"),   QStringLiteral("乳腺癌"),   QStringLiteral("儿童哮喘"), QStringLiteral("稀土永磁"),
    QStringLiteral("铝合金"),   QStringLiteral("陶瓷膜"),   QStringLiteral("工业机器人"), QStringLiteral("数控机床"),
};
const QStringList methods = {
    QStringLiteral("智能监测"),   QStringLiteral("高效节能"),   QStringLiteral("精准施肥"), QStringLiteral("数字孪生"),
    QStringLiteral("低温等离子体"), QStringLiteral("新型复合材料"), QStringLiteral("远程诊断"), QStringLiteral("大数据分析"),
    QStringLiteral("绿色防控"),   QStringLiteral("分子标记辅助育种"), QStringLiteral("在线检测"), QStringLiteral("深度学习"),
    QStringLiteral("生态修复"),   QStringLiteral("快速检测"),   QStringLiteral("微创治疗"), QStringLiteral("清洁生产"),
};
const QStringList endings = {
    QStringLiteral("关键技术研究"), QStringLiteral("技术研究与示范"), QStringLiteral("系统研制"),
    QStringLiteral("集成与推广应用"), QStringLiteral("工艺开发"),     QStringLiteral("技术体系构建及应用"),
    QStringLiteral("装置研制与应用"), QStringLiteral("机理研究"),
};
const QStringList unitKinds = {
    QStringLiteral("澄岭省%1研究院"), QStringLiteral("澄岭%1大学"), QStringLiteral("澄岭省%1研究所"),
    QStringLiteral("澄岭%1股份有限公司"), QStringLiteral("澄岭省%1技术中心"),
};
const QStringList unitFields = {
    QStringLiteral("农业科学"), QStringLiteral("电力"), QStringLiteral("环境科学"), QStringLiteral("交通"),
    QStringLiteral("医学科学"), QStringLiteral("林业"), QStringLiteral("化工"), QStringLiteral("机械"),
    QStringLiteral("水利"),     QStringLiteral("材料"), QStringLiteral("信息"), QStringLiteral("能源"),
};
const QStringList surnames = {
    QStringLiteral("王"), QStringLiteral("李"), QStringLiteral("张"), QStringLiteral("刘"), QStringLiteral("陈"),
    QStringLiteral("杨"), QStringLiteral("黄"), QStringLiteral("赵"), QStringLiteral("周"), QStringLiteral("吴"),
    QStringLiteral("徐"), QStringLiteral("孙"), QStringLiteral("马"), QStringLiteral("朱"), QStringLiteral("胡"),
    QStringLiteral("郭"), QStringLiteral("何"), QStringLiteral("林"), QStringLiteral("罗"), QStringLiteral("高"),
};
const QStringList givenNames = {
    QStringLiteral("建国"), QStringLiteral("志强"), QStringLiteral("丽"),   QStringLiteral("伟"),   QStringLiteral("敏"),
    QStringLiteral("海燕"), QStringLiteral("磊"),   QStringLiteral("晓东"), QStringLiteral("静"),   QStringLiteral("文华"),
    QStringLiteral("秀英"), QStringLiteral("明"),   QStringLiteral("振宇"), QStringLiteral("玉兰"), QStringLiteral("春生"),
    QStringLiteral("红梅"), QStringLiteral("国栋"), QStringLiteral("立新"), QStringLiteral("雪"),   QStringLiteral("子涵"),
};
const QStringList majors = {
    QStringLiteral("作物遗传育种"), QStringLiteral("电气工程"), QStringLiteral("环境工程"), QStringLiteral("土木工程"),
    QStringLiteral("临床医学"),     QStringLiteral("计算机科学与技术"), QStringLiteral("化学工程"), QStringLiteral("机械制造"),
    QStringLiteral("水文学及水资源"), QStringLiteral("材料科学"),
};
const QStringList committeeRoles = {QStringLiteral("主任委员"), QStringLiteral("副主任委员"), QStringLiteral("委员")};

// One prepared insert with its column list.
class Inserter
{
public:
    Inserter(sqlite3 *db, const QString &table, const QStringList &columns)
        : m_columns(columns.size()),
          m_st(db, QStringLiteral("insert into ") + table + QStringLiteral(" (") + columns.join(QLatin1Char(',')) +
                       QStringLiteral(") values (") + QStringList(columns.size(), QStringLiteral("?")).join(QLatin1Char(',')) +
                       QStringLiteral(")"))
    {
    }
    void insert(const QVariantList &values, qint64 &rows)
    {
        for (int i = 0; i < m_columns; ++i)
            m_st.bind(i + 1, i < values.size() ? values.at(i) : QVariant());
        m_st.step();
        m_st.reset();
        ++rows;
    }

private:
    int m_columns;
    Statement m_st;
};

QList<Code> readList(sqlite3 *db, const QString &number)
{
    QList<Code> codes;
    Statement st(db, QStringLiteral("select 编码, 内容, 深度 from codeb where 代码表编号=? order by 代码"));
    st.bind(1, number);
    while (st.step())
        codes.append(Code{st.text(0).trimmed(), st.text(1), int(st.int64(2))});
    if (codes.isEmpty())
        codes.append(Code{QString(), QString(), 0});
    return codes;
}

// Entries below the top of a tree list (cities, subjects), or all entries of a flat one.
QList<Code> deeper(const QList<Code> &codes)
{
    QList<Code> out;
    for (const Code &c : codes)
        if (c.depth >= 2)
            out.append(c);
    return out.isEmpty() ? codes : out;
}

QString iso(const QDate &d)
{
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace

Summary fill(sqlite3 *db, const Options &options)
{
    const int thisYear = QDate::currentDate().year();
    const int firstYear = options.firstYear > 0 ? options.firstYear : thisYear;
    const int lastYear = options.lastYear > 0 ? options.lastYear : firstYear;
    if (options.achievements < 0 || lastYear < firstYear)
        throw AppError(QStringLiteral("演示数据的参数不正确。"));

    Generator g(options.seed);
    QHash<QString, QList<Code>> lists;
    for (const char *n : {"01", "02", "04", "05", "06", "07", "08", "09", "10", "11", "12", "13", "14", "15", "16",
                          "17", "18", "19", "20", "21", "22"})
        lists.insert(QString::fromLatin1(n), readList(db, QString::fromLatin1(n)));
    QList<Code> titles;
    for (const Code &c : lists.value(QStringLiteral("12")))
        if (c.code.size() > 2)
            titles.append(c);
    if (titles.isEmpty())
        titles = lists.value(QStringLiteral("12"));
    const QList<Code> cities = deeper(lists.value(QStringLiteral("14")));
    const QList<Code> affiliations = deeper(lists.value(QStringLiteral("13")));
    const QList<Code> subjects = deeper(lists.value(QStringLiteral("21")));
    const QList<Code> classes = deeper(lists.value(QStringLiteral("22")));
    auto code = [&](const char *n) -> const Code & { return g.pick(lists[QString::fromLatin1(n)]); };
    auto line = [](const Code &c) { return c.code + QLatin1Char('-') + c.text; };

    // Running numbers go on after what each year already holds.
    QHash<int, qint64> serial, hosted, entrusted;
    {
        Statement st(db, QStringLiteral("select 年度, max(流水号) from Common group by 年度"));
        while (st.step())
            serial[st.text(0).toInt()] = st.int64(1);
        Statement st2(db, QStringLiteral("select 年度, max(主持鉴定编号), max(委托鉴定编号) from sqb, Common "
                                         "where Common.ID = sqb.ID group by 年度"));
        while (st2.step()) {
            hosted[st2.text(0).toInt()] = st2.int64(1);
            entrusted[st2.text(0).toInt()] = st2.int64(2);
        }
    }

    Summary summary;
    Transaction tx(db);
    QStringList commonColumns;
    {
        Statement info(db, QStringLiteral("select name from pragma_table_info('Common')"));
        while (info.step())
            commonColumns << info.text(0);
    }
    Inserter common(db, QStringLiteral("Common"), commonColumns);
    Inserter sqb(db, QStringLiteral("sqb"),
                 {QStringLiteral("ID"), QStringLiteral("成果名称"), QStringLiteral("研究起始时间"), QStringLiteral("研究终止时间"),
                  QStringLiteral("申请鉴定单位_单位名称"), QStringLiteral("申请鉴定单位_隶属省部_代码"),
                  QStringLiteral("申请鉴定单位_隶属省部_名称"), QStringLiteral("申请鉴定单位_所在地区_代码"),
                  QStringLiteral("申请鉴定单位_所在地区_名称"), QStringLiteral("申请鉴定单位_单位属性"),
                  QStringLiteral("申请鉴定单位_联系人"), QStringLiteral("申请鉴定单位_邮政编码"),
                  QStringLiteral("申请鉴定单位_联系电话1"), QStringLiteral("申请鉴定单位_联系电话2"),
                  QStringLiteral("申请鉴定单位_通信地址"), QStringLiteral("任务来源"), QStringLiteral("成果有无密级"),
                  QStringLiteral("密级"), QStringLiteral("申请鉴定日期"), QStringLiteral("申请组织鉴定单位"),
                  QStringLiteral("组织鉴定单位受理日期"), QStringLiteral("经办人"), QStringLiteral("内容简介"),
                  QStringLiteral("技术资料目录"), QStringLiteral("申请鉴定单位意见"), QStringLiteral("申请鉴定单位意见领导签字"),
                  QStringLiteral("鉴定形式"), QStringLiteral("组织形式"), QStringLiteral("主持鉴定编号"),
                  QStringLiteral("委托鉴定编号")});
    const QStringList renColumns = {QStringLiteral("ID"),       QStringLiteral("序号"),     QStringLiteral("姓名"),
                                    QStringLiteral("性别"),     QStringLiteral("出生年月"), QStringLiteral("技术职称"),
                                    QStringLiteral("文化程度学位"), QStringLiteral("工作单位"),
                                    QStringLiteral("对成果创造性贡献")};
    QStringList jdzsRenColumns = renColumns;
    jdzsRenColumns[6] = QStringLiteral("文化程度");
    Inserter sqbRen(db, QStringLiteral("sqb_ren"), renColumns);
    Inserter jdzsRen(db, QStringLiteral("jdzs_ren"), jdzsRenColumns);
    Inserter sqbWcdw(db, QStringLiteral("sqb_wcdw"), {QStringLiteral("ID"), QStringLiteral("序号"), QStringLiteral("单位名称")});
    Inserter hsbWcdw(db, QStringLiteral("hsb_wcdw"), {QStringLiteral("ID"), QStringLiteral("序号"), QStringLiteral("单位名称")});
    Inserter jdzs(db, QStringLiteral("jdzs"),
                  {QStringLiteral("ID"), QStringLiteral("鉴定证书编号"), QStringLiteral("成果名称"), QStringLiteral("鉴定形式"),
                   QStringLiteral("组织鉴定单位"), QStringLiteral("鉴定日期"), QStringLiteral("鉴定批准日期"),
                   QStringLiteral("成果水平"), QStringLiteral("简要技术说明及主要技术性能指标"),
                   QStringLiteral("推广应用前景与措施"), QStringLiteral("鉴定意见"), QStringLiteral("鉴定意见_鉴定委员会主任"),
                   QStringLiteral("鉴定意见_日期")});
    Inserter jdzsWcdw(db, QStringLiteral("jdzs_wcdw"),
                      {QStringLiteral("ID"), QStringLiteral("序号"), QStringLiteral("完成单位名称"), QStringLiteral("下属机构名称"),
                       QStringLiteral("邮政编码"), QStringLiteral("所在省市代码"), QStringLiteral("详细通信地址"),
                       QStringLiteral("隶属省部"), QStringLiteral("单位属性")});
    Inserter jdwyh(db, QStringLiteral("jdzs_jdwyhmd"),
                   {QStringLiteral("ID"), QStringLiteral("序号"), QStringLiteral("鉴定会职务"), QStringLiteral("姓名"),
                    QStringLiteral("工作单位"), QStringLiteral("所学专业"), QStringLiteral("现从事专业"), QStringLiteral("职称职务")});
    Inserter hsb(db, QStringLiteral("hsb"),
                 {QStringLiteral("ID"), QStringLiteral("成果名称"), QStringLiteral("组织鉴定单位"), QStringLiteral("函审成果内容简介"),
                  QStringLiteral("技术资料目录")});
    Inserter hszj(db, QStringLiteral("hsb_hszj"),
                  {QStringLiteral("ID"), QStringLiteral("序号"), QStringLiteral("送审日期"), QStringLiteral("函审专家姓名"),
                   QStringLiteral("出生年月"), QStringLiteral("技术职务"), QStringLiteral("文化程度学位"), QStringLiteral("所学专业"),
                   QStringLiteral("现从事专业"), QStringLiteral("专家所在单位_单位名称"), QStringLiteral("专家所在单位_隶属省部_代码"),
                   QStringLiteral("专家所在单位_隶属省部_名称"), QStringLiteral("专家所在单位_所在地区_代码"),
                   QStringLiteral("专家所在单位_所在地区_名称"), QStringLiteral("专家所在单位_邮政编码"),
                   QStringLiteral("专家所在单位_联系电话1"), QStringLiteral("专家所在单位_通信地址"), QStringLiteral("函审意见"),
                   QStringLiteral("函审意见_日期")});
    Inserter wts(db, QStringLiteral("wts"),
                 {QStringLiteral("ID"), QStringLiteral("澄科鉴委字"), QStringLiteral("项目名称"), QStringLiteral("任务来源"),
                  QStringLiteral("计划类别及编号"), QStringLiteral("起始时间"), QStringLiteral("终止时间"),
                  QStringLiteral("项目承担单位"), QStringLiteral("受委托鉴定单位"), QStringLiteral("委托单位经办人"),
                  QStringLiteral("委托单位审批人"), QStringLiteral("委托日期")});

    auto person = [&] { return g.pickText(surnames) + g.pickText(givenNames); };
    auto unitName = [&] { return g.pickText(unitKinds).arg(g.pickText(unitFields)); };
    auto phone = [&] { return QStringLiteral("0%1-%2").arg(g.between(371, 379)).arg(g.between(60000000, 89999999)); };
    auto postcode = [&] { return QStringLiteral("4%1").arg(g.between(10000, 59999)); };

    const int years = lastYear - firstYear + 1;
    for (int i = 0; i < options.achievements; ++i) {
        const int year = firstYear + i % years;
        const QString id = g.id();
        const QString name = g.pickText(objects) + g.pickText(methods) + g.pickText(endings);
        const QDate start = g.dateIn(year - g.between(1, 4));
        const QDate end = std::max(start.addDays(g.between(180, 1200)), start);
        const QString unit = unitName();
        const Code aff = g.pick(affiliations);
        const Code city = g.pick(cities);
        const QString unitAttr = code("04").code;
        const QString contact = person();
        const QString pc = postcode();
        const QString tel = phone();
        const QString address = city.text + g.pickText(unitFields) + QStringLiteral("路%1号").arg(g.between(1, 399));
        const QString source = code("02").code;
        const bool deleted = g.chance(3);
        const QString organiser = code("05").text;

        QVariantList c;
        c << id << QString::number(year) << qint64(deleted ? 1 : 0) << qint64(0) << ++serial[year]
          << code("01").text << name << iso(start) << iso(end) << unit << aff.code << aff.text << city.code << city.text
          << unitAttr << contact << pc << tel << (g.chance(40) ? phone() : QString()) << address
          << line(g.pick(subjects)) << line(g.pick(classes)) << code("05").text << organiser
          << QStringLiteral("CL%1-%2").arg(year).arg(g.between(1, 999), 3, 10, QLatin1Char('0')) << code("05").text
          << code("19").text << code("20").text << source << QStringLiteral("0") << QVariant() << code("08").code
          << code("09").code << code("10").code;
        for (int block = 0; block < 2; ++block) {
            double total = 0;
            for (int k = 0; k < 6; ++k) {
                const double v = g.chance(50) ? g.amount(k == 3 ? 300 : 100) : 0.0;
                total += v;
                c << v;
            }
            c << total;
        }
        for (int k = 0; k < 6; ++k)
            c << g.amount(k % 2 ? 200 : 800);
        const bool hasApplication = g.chance(85);
        const bool appraised = hasApplication && g.chance(60);
        c[3] = qint64(appraised ? 1 : 0);
        common.insert(c, summary.rows);
        ++summary.achievements;
        summary.deleted += deleted ? 1 : 0;
        summary.appraised += appraised ? 1 : 0;
        if (!hasApplication)
            continue;

        const int form = g.chance(60) ? 1 : (g.chance(75) ? 2 : 3); // meeting, review, testing
        const bool entrust = g.chance(40);
        const qint64 number = entrust ? ++entrusted[year] : ++hosted[year];
        const QString summaryText = QStringLiteral("本项目针对%1领域存在的问题，采用%2方法开展系统研究，"
                                                   "形成了成套技术并在省内多家单位推广应用，取得了显著的经济和社会效益。")
                                        .arg(g.pickText(objects), g.pickText(methods));
        sqb.insert({id, name, iso(start), iso(end), unit, aff.code, aff.text, city.code, city.text, unitAttr, contact, pc,
                    tel, QVariant(), address, source, QStringLiteral("0"), QVariant(), iso(end.addDays(g.between(10, 90))),
                    organiser, iso(end.addDays(g.between(91, 120))), code("18").text, summaryText,
                    QStringLiteral("1. 研究工作报告\n2. 技术报告\n3. 查新报告\n4. 用户使用报告"),
                    QStringLiteral("同意申请鉴定。"), person(), QString::number(form), QString::number(entrust ? 2 : 1),
                    entrust ? QVariant() : QVariant(number), entrust ? QVariant(number) : QVariant()},
                   summary.rows);
        const int people = g.between(3, 7);
        QList<QVariantList> researchers;
        for (int k = 1; k <= people; ++k) {
            const QVariantList r = {id, k, person(), code("15").text, iso(QDate(g.between(1960, 1995), g.between(1, 12), 1)),
                                    g.pick(titles).text, code("11").text, k == 1 ? unit : unitName(),
                                    QStringLiteral("负责%1部分的研究工作。").arg(g.pickText(methods))};
            researchers.append(r);
            sqbRen.insert(r, summary.rows);
        }
        const int units = g.between(1, 3);
        QStringList unitNames{unit};
        for (int k = 1; k < units; ++k)
            unitNames << unitName();
        for (int k = 0; k < units; ++k)
            sqbWcdw.insert({id, k + 1, unitNames.at(k)}, summary.rows);

        if (appraised) {
            const QString prefix = entrust ? QStringLiteral("澄科鉴委字") : QStringLiteral("澄科鉴字");
            const QDate when = end.addDays(g.between(121, 200));
            jdzs.insert({id, QStringLiteral("%1[%2]第%3号").arg(prefix).arg(year).arg(number), name, QString::number(form),
                         organiser, iso(when), iso(when.addDays(g.between(5, 30))), code("16").code, summaryText,
                         QStringLiteral("该成果具有广阔的推广应用前景。"),
                         QStringLiteral("鉴定委员会认为，该成果总体达到%1水平，同意通过鉴定。").arg(code("16").text), person(),
                         iso(when)},
                        summary.rows);
            for (int k = 0; k < units; ++k)
                jdzsWcdw.insert({id, k + 1, unitNames.at(k), QVariant(), pc, aff.code, address, aff.text, unitAttr}, summary.rows);
            for (QVariantList r : researchers)
                jdzsRen.insert(r, summary.rows);
            const int members = g.between(5, 9);
            for (int k = 1; k <= members; ++k)
                jdwyh.insert({id, k, committeeRoles.at(std::min(k - 1, 2)), person(), unitName(), g.pickText(majors),
                              g.pickText(majors), g.pick(titles).text},
                             summary.rows);
        }
        if (form == 2) {
            hsb.insert({id, name, organiser, summaryText, QStringLiteral("1. 研究工作报告\n2. 技术报告")}, summary.rows);
            for (int k = 0; k < units; ++k)
                hsbWcdw.insert({id, k + 1, unitNames.at(k)}, summary.rows);
            const int experts = g.between(5, 7);
            for (int k = 1; k <= experts; ++k) {
                const Code expertAff = g.pick(affiliations);
                const Code expertCity = g.pick(cities);
                hszj.insert({id, k, iso(end.addDays(30)), person(), iso(QDate(g.between(1955, 1985), g.between(1, 12), 1)),
                             g.pick(titles).text, code("11").text, g.pickText(majors), g.pickText(majors), unitName(),
                             expertAff.code, expertAff.text, expertCity.code, expertCity.text, postcode(), phone(),
                             expertCity.text + QStringLiteral("学院路%1号").arg(g.between(1, 200)),
                             QStringLiteral("同意该成果通过鉴定。"), iso(end.addDays(g.between(40, 60)))},
                            summary.rows);
            }
        }
        if (entrust)
            wts.insert({id, QStringLiteral("澄科鉴委字[%1]第%2号").arg(year).arg(number), name, source,
                        c.at(24), iso(start), iso(end), unit, code("17").text, code("18").text, person(),
                        iso(end.addDays(g.between(91, 120)))},
                       summary.rows);
    }
    tx.commit();
    return summary;
}

} // namespace DemoData
