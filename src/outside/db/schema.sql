-- The host database. The stand-ins of the database library read it, and the
-- plug-in's own statements (templates, test devices) read and write it.
--
-- Keys are chosen by whoever inserts a row; nothing is autoincremented.
-- Binary columns are LONGVARBINARY: ODBC then reports them as long binary
-- data (a BLOB column would report as BINARY(255)). Times are event ids: a
-- day counted from 1899-12-30 and the milliseconds of that day, both GMT.
-- Statements are separated by a ';' at the end of a line.

-- Manufacturers, their protocols and device types.
CREATE TABLE Manufacturers (
  MfrId INTEGER PRIMARY KEY,
  MfrName VARCHAR(255) NOT NULL
);

-- ProtocolId: 1 HART, 2 HART reached through a block index collection,
-- 3 FOUNDATION Fieldbus.
CREATE TABLE MfrProtocols (
  MfrProtocolId INTEGER PRIMARY KEY,
  MfrId INTEGER NOT NULL REFERENCES Manufacturers,
  ProtocolId INTEGER NOT NULL
);

CREATE TABLE MajorDeviceCategories (
  MajorCategoryId INTEGER PRIMARY KEY,
  MajorCategoryName VARCHAR(255) NOT NULL
);

CREATE TABLE DeviceTypes (
  TarnDevTypeId INTEGER PRIMARY KEY,
  MfrProtocolId INTEGER NOT NULL REFERENCES MfrProtocols,
  DeviceType INTEGER NOT NULL,
  DeviceTypeName VARCHAR(255) NOT NULL,
  MajorCategoryId INTEGER REFERENCES MajorDeviceCategories
);

CREATE TABLE DeviceRevisions (
  TarnDevRevId INTEGER PRIMARY KEY,
  TarnDevTypeId INTEGER NOT NULL REFERENCES DeviceTypes,
  DeviceRevision INTEGER NOT NULL
);

-- Device templates (named configurations), their blocks and stored data.
CREATE TABLE NamedConfigs (
  ConfigKey INTEGER PRIMARY KEY,
  TarnDevRevId INTEGER NOT NULL REFERENCES DeviceRevisions,
  ConfigName VARCHAR(255) NOT NULL
);

CREATE TABLE NamedConfigBlocks (
  ConfigKey INTEGER NOT NULL REFERENCES NamedConfigs,
  BlockIndex INTEGER NOT NULL,
  BlockType VARCHAR(255) NOT NULL,
  PRIMARY KEY (ConfigKey, BlockIndex)
);

CREATE TABLE NamedConfigData (
  ConfigKey INTEGER NOT NULL,
  BlockIndex INTEGER NOT NULL,
  ParamKind VARCHAR(255) NOT NULL,
  ParamName VARCHAR(255) NOT NULL,
  ParamDataType INTEGER NOT NULL,
  ParamDataSize INTEGER NOT NULL,
  ParamData LONGVARBINARY,
  FOREIGN KEY (ConfigKey, BlockIndex) REFERENCES NamedConfigBlocks
);
CREATE INDEX NamedConfigDataByBlock ON NamedConfigData (ConfigKey, BlockIndex);

-- Device instances. Identifier is the serial identifier that names a
-- fieldbus device to the toolkit; TarnDeviceId names a HART device.
CREATE TABLE Devices (
  DeviceKey INTEGER PRIMARY KEY,
  TarnDevRevId INTEGER NOT NULL REFERENCES DeviceRevisions,
  TarnDeviceId VARCHAR(255) NOT NULL,
  Identifier VARCHAR(255) NOT NULL,
  ProtocolRevision INTEGER NOT NULL DEFAULT 0,
  DispositionId INTEGER NOT NULL DEFAULT 2,
  TarnDeviceTag VARCHAR(255) NOT NULL DEFAULT ''
);

CREATE TABLE CalStatus (
  DeviceKey INTEGER PRIMARY KEY REFERENCES Devices,
  DevLastCalibrationDay INTEGER NOT NULL,
  DevLastCalibrationFraction INTEGER NOT NULL,
  DevNextCalibrationDueDay INTEGER NOT NULL,
  DevNextCalibrationDueFraction INTEGER NOT NULL,
  DevPassedLastCalibration INTEGER NOT NULL
);

CREATE TABLE Blocks (
  BlockKey INTEGER PRIMARY KEY,
  DeviceKey INTEGER NOT NULL REFERENCES Devices,
  BlockIndex INTEGER NOT NULL,
  DispositionId INTEGER NOT NULL DEFAULT 2,
  BlockType VARCHAR(255) NOT NULL
);

-- Tags and which block carries a tag when: an assignment holds from its
-- "in" event id (inclusive) to its "out" event id (exclusive).
CREATE TABLE ExtBlockTags (
  ExtBlockTagKey INTEGER PRIMARY KEY,
  ExtBlockTag VARCHAR(255) NOT NULL UNIQUE,
  ExtBlockTagDesc VARCHAR(255) NOT NULL DEFAULT '',
  TestDefinitionId INTEGER NOT NULL DEFAULT -1
);

CREATE TABLE BlockAsgms (
  ExtBlockTagKey INTEGER NOT NULL REFERENCES ExtBlockTags,
  BlockKey INTEGER NOT NULL REFERENCES Blocks,
  EventIdDayOut INTEGER NOT NULL,
  EventIdFractionOut INTEGER NOT NULL,
  EventIdDayIn INTEGER NOT NULL,
  EventIdFractionIn INTEGER NOT NULL
);
CREATE INDEX BlockAsgmsByTag ON BlockAsgms (ExtBlockTagKey);

CREATE TABLE DeviceLocation (
  PlantServerKey INTEGER NOT NULL,
  BlockKey INTEGER NOT NULL REFERENCES Blocks,
  NetworkInfoKey INTEGER NOT NULL,
  TARNPath VARCHAR(255) NOT NULL,
  HostPath VARCHAR(255) NOT NULL,
  HostTag VARCHAR(255) NOT NULL,
  IdentStatus INTEGER NOT NULL
);

-- Stored parameter data of a block, one row per parameter and event.
CREATE TABLE BlockData (
  BlockKey INTEGER NOT NULL REFERENCES Blocks,
  EventIdDay INTEGER NOT NULL,
  EventIdFraction INTEGER NOT NULL,
  ParamKind VARCHAR(255) NOT NULL,
  ParamName VARCHAR(255) NOT NULL,
  ValueMode VARCHAR(255) NOT NULL,
  ParamDataType INTEGER NOT NULL,
  ParamDataSize INTEGER NOT NULL,
  ParamData LONGVARBINARY
);
CREATE INDEX BlockDataByBlock ON BlockData (BlockKey);

-- The event log: every change to a block's data is recorded under a unique
-- event id. EventCategory, EventStatus and EventCode are numbers the writer
-- of the event chooses.
CREATE TABLE EventLog (
  EventIdDay INTEGER NOT NULL,
  EventIdFraction INTEGER NOT NULL,
  BlockKey INTEGER NOT NULL,
  EventText VARCHAR(255) NOT NULL,
  EventCategory INTEGER NOT NULL,
  EventStatus INTEGER NOT NULL,
  EventCode INTEGER NOT NULL,
  PRIMARY KEY (EventIdDay, EventIdFraction)
);
