-- The database of 成鉴通: fourteen tables and one metadata table.
--
-- Declared types tell the engine what a column holds:
--   TEXT      text            MEMOTEXT  long text (memo)
--   INTEGER   whole number    DATE      date, stored as 'yyyy-MM-dd'
--   CURRENCY  amount, four decimals     BOOLEAN   yes/no, stored as 0/1
-- Text is compared without regard to letter case, as the program expects.
-- Column order matters: the program reads and copies several tables by column position.

-- One row per achievement.
CREATE TABLE Common (
  ID TEXT NOT NULL COLLATE NOCASE,
  年度 TEXT COLLATE NOCASE,
  是否删除 BOOLEAN NOT NULL DEFAULT 0,
  是否鉴定 BOOLEAN NOT NULL DEFAULT 0,
  流水号 INTEGER,
  分类 TEXT COLLATE NOCASE,
  成果名称 TEXT COLLATE NOCASE,
  研究起始时间 DATE,
  研究终止时间 DATE,
  成果第一完成单位_单位名称 TEXT COLLATE NOCASE,
  成果第一完成单位_隶属省部_代码 TEXT COLLATE NOCASE,
  成果第一完成单位_隶属省部_名称 TEXT COLLATE NOCASE,
  成果第一完成单位_所在地区_代码 TEXT COLLATE NOCASE,
  成果第一完成单位_所在地区_名称 TEXT COLLATE NOCASE,
  成果第一完成单位_单位属性 TEXT COLLATE NOCASE,
  成果第一完成单位_联系人 TEXT COLLATE NOCASE,
  成果第一完成单位_邮政编码 TEXT COLLATE NOCASE,
  成果第一完成单位_联系电话1 TEXT COLLATE NOCASE,
  成果第一完成单位_联系电话2 TEXT COLLATE NOCASE,
  成果第一完成单位_通信地址 TEXT COLLATE NOCASE,
  学科分类 TEXT COLLATE NOCASE,
  中图分类 TEXT COLLATE NOCASE,
  主管业务部门 TEXT COLLATE NOCASE,
  组织鉴定单位名称 TEXT COLLATE NOCASE,
  项目计划编号 TEXT COLLATE NOCASE,
  任务下达部门 TEXT COLLATE NOCASE,
  研究形式 TEXT COLLATE NOCASE,
  社会经济目标 TEXT COLLATE NOCASE,
  任务来源 TEXT COLLATE NOCASE,
  成果有无密级 TEXT COLLATE NOCASE,
  密级 TEXT COLLATE NOCASE,
  应用行业大类 TEXT COLLATE NOCASE,
  应用情况 TEXT COLLATE NOCASE,
  转让范围 TEXT COLLATE NOCASE,
  科研投入_国家投入 CURRENCY,
  科研投入_部门投入 CURRENCY,
  科研投入_地方投入 CURRENCY,
  科研投入_自筹资金 CURRENCY,
  科研投入_银行贷款 CURRENCY,
  科研投入_国外资金 CURRENCY,
  科研投入_合计 CURRENCY,
  应用投入_国家投入 CURRENCY,
  应用投入_部门投入 CURRENCY,
  应用投入_地方投入 CURRENCY,
  应用投入_自筹资金 CURRENCY,
  应用投入_银行贷款 CURRENCY,
  应用投入_国外资金 CURRENCY,
  应用投入_合计 CURRENCY,
  经济效益_新增产值 CURRENCY,
  经济效益_新增产值_本年度 CURRENCY,
  经济效益_新增利税 CURRENCY,
  经济效益_新增利税_本年度 CURRENCY,
  经济效益_其中创收外汇 CURRENCY,
  经济效益_其中创收外汇_本年度 CURRENCY
);
CREATE UNIQUE INDEX Common_ID ON Common (ID);
CREATE INDEX Common_年度 ON Common (年度, 流水号);

-- Appraisal application form.
CREATE TABLE sqb (
  ID TEXT NOT NULL COLLATE NOCASE,
  成果名称 TEXT COLLATE NOCASE,
  研究起始时间 DATE,
  研究终止时间 DATE,
  申请鉴定单位_单位名称 TEXT COLLATE NOCASE,
  申请鉴定单位_隶属省部_代码 TEXT COLLATE NOCASE,
  申请鉴定单位_隶属省部_名称 TEXT COLLATE NOCASE,
  申请鉴定单位_所在地区_代码 TEXT COLLATE NOCASE,
  申请鉴定单位_所在地区_名称 TEXT COLLATE NOCASE,
  申请鉴定单位_单位属性 TEXT COLLATE NOCASE,
  申请鉴定单位_联系人 TEXT COLLATE NOCASE,
  申请鉴定单位_邮政编码 TEXT COLLATE NOCASE,
  申请鉴定单位_联系电话1 TEXT COLLATE NOCASE,
  申请鉴定单位_联系电话2 TEXT COLLATE NOCASE,
  申请鉴定单位_通信地址 TEXT COLLATE NOCASE,
  任务来源 TEXT COLLATE NOCASE,
  成果有无密级 TEXT COLLATE NOCASE,
  密级 TEXT COLLATE NOCASE,
  申请鉴定日期 DATE,
  申请组织鉴定单位 TEXT COLLATE NOCASE,
  组织鉴定单位受理日期 DATE,
  经办人 TEXT COLLATE NOCASE,
  内容简介 MEMOTEXT COLLATE NOCASE,
  技术资料目录 MEMOTEXT COLLATE NOCASE,
  申请鉴定单位意见 MEMOTEXT COLLATE NOCASE,
  申请鉴定单位意见领导签字 TEXT COLLATE NOCASE,
  主管业务部门意见 MEMOTEXT COLLATE NOCASE,
  主管业务部门意见领导签字 TEXT COLLATE NOCASE,
  任务下达单位意见 MEMOTEXT COLLATE NOCASE,
  任务下达单位意见领导签字 TEXT COLLATE NOCASE,
  组织鉴定单位意见 MEMOTEXT COLLATE NOCASE,
  组织鉴定单位意见主管领导签字 TEXT COLLATE NOCASE,
  组织鉴定单位意见经办人签字 TEXT COLLATE NOCASE,
  鉴定形式 TEXT COLLATE NOCASE,
  组织形式 TEXT COLLATE NOCASE,
  主持鉴定编号 INTEGER,
  委托鉴定编号 INTEGER
);
CREATE INDEX sqb_ID ON sqb (ID);

-- Application: main researchers.
CREATE TABLE sqb_ren (
  ID TEXT NOT NULL COLLATE NOCASE,
  RecNo INTEGER PRIMARY KEY AUTOINCREMENT,
  序号 INTEGER,
  姓名 TEXT COLLATE NOCASE,
  性别 TEXT COLLATE NOCASE,
  出生年月 DATE,
  技术职称 TEXT COLLATE NOCASE,
  文化程度学位 TEXT COLLATE NOCASE,
  工作单位 TEXT COLLATE NOCASE,
  对成果创造性贡献 MEMOTEXT COLLATE NOCASE
);
CREATE INDEX sqb_ren_ID ON sqb_ren (ID);

-- Application: completing units.
CREATE TABLE sqb_wcdw (
  ID TEXT NOT NULL COLLATE NOCASE,
  RecNo INTEGER PRIMARY KEY AUTOINCREMENT,
  序号 INTEGER,
  单位名称 TEXT COLLATE NOCASE
);
CREATE INDEX sqb_wcdw_ID ON sqb_wcdw (ID);

-- Appraisal certificate.
CREATE TABLE jdzs (
  ID TEXT NOT NULL COLLATE NOCASE,
  鉴定证书编号 TEXT COLLATE NOCASE,
  成果名称 TEXT COLLATE NOCASE,
  鉴定形式 TEXT COLLATE NOCASE,
  组织鉴定单位 TEXT COLLATE NOCASE,
  鉴定日期 DATE,
  鉴定批准日期 DATE,
  成果水平 TEXT COLLATE NOCASE,
  简要技术说明及主要技术性能指标 MEMOTEXT COLLATE NOCASE,
  推广应用前景与措施 MEMOTEXT COLLATE NOCASE,
  主要技术文件目录及来源 MEMOTEXT COLLATE NOCASE,
  鉴定委员会专家测试报告 MEMOTEXT COLLATE NOCASE,
  鉴定委员会专家测试报告_测试组长 TEXT COLLATE NOCASE,
  鉴定委员会专家测试报告_成员 TEXT COLLATE NOCASE,
  鉴定委员会专家测试报告_日期 DATE,
  鉴定意见 MEMOTEXT COLLATE NOCASE,
  鉴定意见_鉴定委员会主任 TEXT COLLATE NOCASE,
  鉴定意见_副主任 TEXT COLLATE NOCASE,
  鉴定意见_日期 DATE,
  主持鉴定单位意见 MEMOTEXT COLLATE NOCASE,
  主持鉴定单位意见_主管领导签字 TEXT COLLATE NOCASE,
  主持鉴定单位意见_日期 DATE,
  组织鉴定单位意见 MEMOTEXT COLLATE NOCASE,
  组织鉴定单位意见_主管领导签字 TEXT COLLATE NOCASE,
  组织鉴定单位意见_日期 DATE
);
CREATE INDEX jdzs_ID ON jdzs (ID);

-- Certificate: completing units.
CREATE TABLE jdzs_wcdw (
  ID TEXT NOT NULL COLLATE NOCASE,
  RecNo INTEGER PRIMARY KEY AUTOINCREMENT,
  序号 INTEGER,
  完成单位名称 TEXT COLLATE NOCASE,
  下属机构名称 TEXT COLLATE NOCASE,
  邮政编码 TEXT COLLATE NOCASE,
  所在省市代码 TEXT COLLATE NOCASE,
  详细通信地址 TEXT COLLATE NOCASE,
  隶属省部 TEXT COLLATE NOCASE,
  单位属性 TEXT COLLATE NOCASE
);
CREATE INDEX jdzs_wcdw_ID ON jdzs_wcdw (ID);

-- Certificate: main researchers.
CREATE TABLE jdzs_ren (
  ID TEXT NOT NULL COLLATE NOCASE,
  RecNo INTEGER PRIMARY KEY AUTOINCREMENT,
  序号 INTEGER,
  姓名 TEXT COLLATE NOCASE,
  性别 TEXT COLLATE NOCASE,
  出生年月 DATE,
  技术职称 TEXT COLLATE NOCASE,
  文化程度 TEXT COLLATE NOCASE,
  工作单位 TEXT COLLATE NOCASE,
  对成果创造性贡献 MEMOTEXT COLLATE NOCASE
);
CREATE INDEX jdzs_ren_ID ON jdzs_ren (ID);

-- Certificate: appraisal committee.
CREATE TABLE jdzs_jdwyhmd (
  ID TEXT NOT NULL COLLATE NOCASE,
  RecNo INTEGER PRIMARY KEY AUTOINCREMENT,
  序号 INTEGER,
  鉴定会职务 TEXT COLLATE NOCASE,
  姓名 TEXT COLLATE NOCASE,
  工作单位 TEXT COLLATE NOCASE,
  所学专业 TEXT COLLATE NOCASE,
  现从事专业 TEXT COLLATE NOCASE,
  职称职务 TEXT COLLATE NOCASE
);
CREATE INDEX jdzs_jdwyhmd_ID ON jdzs_jdwyhmd (ID);

-- Correspondence-review form.
CREATE TABLE hsb (
  ID TEXT NOT NULL COLLATE NOCASE,
  成果名称 TEXT COLLATE NOCASE,
  组织鉴定单位 TEXT COLLATE NOCASE,
  函审成果内容简介 MEMOTEXT COLLATE NOCASE,
  技术资料目录 MEMOTEXT COLLATE NOCASE
);
CREATE INDEX hsb_ID ON hsb (ID);

-- Review form: completing units.
CREATE TABLE hsb_wcdw (
  ID TEXT NOT NULL COLLATE NOCASE,
  RecNo INTEGER PRIMARY KEY AUTOINCREMENT,
  序号 INTEGER,
  单位名称 TEXT COLLATE NOCASE
);
CREATE INDEX hsb_wcdw_ID ON hsb_wcdw (ID);

-- Review form: review experts.
CREATE TABLE hsb_hszj (
  ID TEXT NOT NULL COLLATE NOCASE,
  RecNo INTEGER PRIMARY KEY AUTOINCREMENT,
  序号 INTEGER,
  送审日期 DATE,
  函审专家姓名 TEXT COLLATE NOCASE,
  出生年月 DATE,
  技术职务 TEXT COLLATE NOCASE,
  文化程度学位 TEXT COLLATE NOCASE,
  所学专业 TEXT COLLATE NOCASE,
  现从事专业 TEXT COLLATE NOCASE,
  专家所在单位_单位名称 TEXT COLLATE NOCASE,
  专家所在单位_隶属省部_代码 TEXT COLLATE NOCASE,
  专家所在单位_隶属省部_名称 TEXT COLLATE NOCASE,
  专家所在单位_所在地区_代码 TEXT COLLATE NOCASE,
  专家所在单位_所在地区_名称 TEXT COLLATE NOCASE,
  专家所在单位_邮政编码 TEXT COLLATE NOCASE,
  专家所在单位_联系电话1 TEXT COLLATE NOCASE,
  专家所在单位_联系电话2 TEXT COLLATE NOCASE,
  专家所在单位_通信地址 TEXT COLLATE NOCASE,
  函审意见 MEMOTEXT COLLATE NOCASE,
  函审意见_日期 DATE
);
CREATE INDEX hsb_hszj_ID ON hsb_hszj (ID);

-- Entrustment letter.
CREATE TABLE wts (
  ID TEXT NOT NULL COLLATE NOCASE,
  澄科鉴委字 TEXT COLLATE NOCASE,
  项目名称 TEXT COLLATE NOCASE,
  任务来源 TEXT COLLATE NOCASE,
  计划类别及编号 TEXT COLLATE NOCASE,
  起始时间 DATE,
  终止时间 DATE,
  项目承担单位 TEXT COLLATE NOCASE,
  受委托鉴定单位 TEXT COLLATE NOCASE,
  委托单位经办人 TEXT COLLATE NOCASE,
  委托单位审批人 TEXT COLLATE NOCASE,
  委托日期 DATE
);
CREATE INDEX wts_ID ON wts (ID);

-- All code lists. 代码 is the sort key (the order of the entries in the list's data file); in a tree
-- list 深度 is the level (1 at the top), 上级编码k the code of the ancestor at level k, and 下级 is '1'
-- when entries lie below.
CREATE TABLE codeb (
  代码表编号 TEXT NOT NULL COLLATE NOCASE,
  编码 TEXT COLLATE NOCASE,
  内容 TEXT COLLATE NOCASE,
  代码 INTEGER,
  深度 INTEGER,
  上级编码1 TEXT COLLATE NOCASE,
  上级编码2 TEXT COLLATE NOCASE,
  上级编码3 TEXT COLLATE NOCASE,
  下级 TEXT COLLATE NOCASE
);
CREATE INDEX codeb_list ON codeb (代码表编号, 深度, 代码);
CREATE INDEX codeb_code ON codeb (代码表编号, 编码);
CREATE INDEX codeb_level1 ON codeb (上级编码1);
CREATE INDEX codeb_level2 ON codeb (上级编码2);
CREATE INDEX codeb_level3 ON codeb (上级编码3);

-- Result rows of the last statistics run.
CREATE TABLE tongji (
  统计内容 TEXT NOT NULL DEFAULT '' UNIQUE COLLATE NOCASE,
  统计结果 INTEGER,
  百分比 TEXT COLLATE NOCASE
);

-- The program's own facts about the file: schema version and the password verifier.
CREATE TABLE cjt_meta (
  key TEXT PRIMARY KEY,
  value TEXT
);
