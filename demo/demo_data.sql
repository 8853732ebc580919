-- The demo data of the ZUNO_DEMO data source: a small shop in schema SHOP and
-- a sales team's schema SALES, each in a database file of its own, named in
-- the main database's zuno_schemas. Run in the directory that is to hold the
-- files, on an empty main database (the demo data builder does this).
-- Names are in upper case, as Db2 stores them. Dates are 'YYYY-MM-DD' and
-- timestamps 'YYYY-MM-DD hh:mm:ss' in columns declared DATE and TIMESTAMP,
-- which the SQLite ODBC driver reports as SQL_TYPE_DATE and
-- SQL_TYPE_TIMESTAMP.

CREATE TABLE zuno_schemas (
  SCHEMA_NAME TEXT NOT NULL PRIMARY KEY,
  FILE_NAME   TEXT NOT NULL
);
INSERT INTO zuno_schemas VALUES ('SHOP', 'SHOP.db'), ('SALES', 'SALES.db');

CREATE TABLE zuno_aliases (
  CREATOR     TEXT NOT NULL,
  NAME        TEXT NOT NULL,
  BASE_SCHEMA TEXT NOT NULL,
  BASE_NAME   TEXT NOT NULL,
  PRIMARY KEY (CREATOR, NAME)
);
INSERT INTO zuno_aliases VALUES
  ('SHOP', 'ORD', 'SHOP', 'ORDERS'),
  ('SALES', 'CUSTOMERS', 'SHOP', 'CUSTOMERS');

ATTACH 'SHOP.db' AS SHOP;
ATTACH 'SALES.db' AS SALES;

CREATE TABLE SHOP.CUSTOMERS (
  CUSTOMER_ID    INTEGER NOT NULL PRIMARY KEY,
  NAME           VARCHAR(60) NOT NULL,
  CONTACT        VARCHAR(60),
  CITY           VARCHAR(40),
  COUNTRY        CHAR(2),
  EMAIL          VARCHAR(80),
  PHONE          VARCHAR(30),
  CREDIT_LIMIT   DECIMAL(10,2),
  CUSTOMER_SINCE DATE,
  NOTES          VARCHAR(1000),
  UPDATED_AT     TIMESTAMP
);

INSERT INTO SHOP.CUSTOMERS VALUES
  (1, 'Müller & Söhne GmbH', 'Jörg Müller', 'Stuttgart', 'DE', 'j.mueller@mueller-soehne.example', '+49 711 555 0142', 25000.00, '2015-03-02',
      'Key account since 2015.' || char(10) || 'Pays by invoice, 30 days net.' || char(10) || 'Prefers deliveries on Tuesdays.', '2024-05-14 09:12:44'),
  (2, 'Café Olé', 'Inès Laurent', 'Lyon', 'FR', 'ines@cafe-ole.example', '+33 4 55 55 01 88', 3000.00, '2019-07-15', NULL, '2024-02-01 16:40:00'),
  (3, 'Northwind Traders Ltd', 'Margaret Peacock', 'London', 'GB', 'orders@northwind.example', '+44 20 5550 1234', 15000.00, '2012-11-20', NULL, '2023-12-19 11:05:31'),
  (4, 'Åsa Öberg Design AB', 'Åsa Öberg', 'Göteborg', 'SE', 'asa@oberg-design.example', NULL, 5000.00, '2021-01-11', 'Small studio, orders samples first.', '2024-03-03 08:00:00'),
  (5, 'Blue Harbor Marine', 'Tom Whitaker', 'Portland', 'US', 'purchasing@blueharbor.example', '+1 503 555 0199', 12000.00, '2018-05-30', NULL, '2024-04-22 14:18:09'),
  (6, 'Ελληνικά Τρόφιμα Α.Ε.', 'Ελένη Παπαδοπούλου', 'Αθήνα', 'GR', 'eleni@trofima.example', '+30 21 0555 0177', 4000.00, '2022-09-05', NULL, '2024-01-30 10:10:10'),
  (7, 'ООО Север', 'Иван Петров', 'Санкт-Петербург', 'RU', NULL, '+7 812 555 01 23', 2500.00, '2020-02-17',
      'Prepayment only.' || char(10) || 'Customs papers must be in English and Russian.', '2023-11-08 13:45:00'),
  (8, 'José Núñez e Hijos', 'José Núñez', 'Sevilla', 'ES', 'jose@nunez-hijos.example', '+34 954 55 50 11', 6000.00, '2017-06-01', NULL, '2024-06-03 17:22:51'),
  (9, 'Dubois Frères SARL', 'François Dubois', 'Bordeaux', 'FR', 'f.dubois@dubois-freres.example', NULL, NULL, '2023-04-12', NULL, NULL),
  (10, 'Kowalski Budownictwo', 'Łukasz Wróbel', 'Kraków', 'PL', 'biuro@kowalski-bud.example', '+48 12 555 01 90', 8000.00, '2016-10-24', NULL, '2024-05-27 07:59:02'),
  (11, 'Çelik Tekstil A.Ş.', 'Ünal Çelik', 'İzmir', 'TR', 'unal@celik-tekstil.example', '+90 232 555 0166', 7000.00, '2021-08-09', NULL, '2024-02-15 12:00:00'),
  (12, 'Van der Berg B.V.', 'Pieter van der Berg', 'Utrecht', 'NL', 'pieter@vdberg.example', '+31 30 555 0105', 9500.00, '2014-01-06', NULL, '2023-10-10 10:30:00'),
  (13, 'Sunrise Bakery', 'Linda Carter', 'Austin', 'US', 'linda@sunrisebakery.example', '+1 512 555 0133', 1500.00, '2022-03-21', NULL, '2024-04-01 06:15:00'),
  (14, 'Alpenblick Hotel', 'Sepp Huber', 'Innsbruck', 'AT', 'einkauf@alpenblick.example', '+43 512 555 014', 11000.00, '2013-12-01',
      'Seasonal: large orders in November and April.', '2024-04-18 15:02:37'),
  (15, 'Nordlys AS', 'Søren Kjær', 'Tromsø', 'NO', 'soren@nordlys.example', NULL, 4500.00, '2020-11-30', NULL, '2023-12-01 09:00:00'),
  (16, 'Bella Vista Ristorante', 'Giulia Romano', 'Napoli', 'IT', 'giulia@bellavista.example', '+39 081 555 0120', 3500.00, '2019-04-08', NULL, '2024-03-28 19:44:12'),
  (17, 'Acme Tools Inc.', 'Wile Coyote', 'Phoenix', 'US', 'orders@acme-tools.example', '+1 602 555 0100', 20000.00, '2011-09-19', NULL, '2024-06-10 08:30:00'),
  (18, 'Häberle Elektro KG', 'Anja Häberle', 'Ulm', 'DE', 'anja@haeberle-elektro.example', '+49 731 555 0187', 6500.00, '2018-02-14', NULL, '2024-01-09 11:11:11'),
  (19, 'Green Leaf Grocers', 'Priya Sharma', 'Toronto', 'CA', NULL, NULL, 2000.00, '2023-09-25', NULL, NULL),
  (20, 'Železárna Novák s.r.o.', 'Petr Novák', 'Brno', 'CZ', 'novak@zelezarna.example', '+420 5 5550 1122', 5500.00, '2017-03-13', NULL, '2024-05-02 13:13:13'),
  (21, 'Fjord Fisk ApS', 'Mette Sørensen', 'Aarhus', 'DK', 'mette@fjordfisk.example', '+45 86 55 50 14', 3200.00, '2021-05-17', NULL, '2024-02-20 07:45:00'),
  (22, 'Pacific Rim Imports', 'Kenji Watanabe', 'Vancouver', 'CA', 'kenji@pacificrim.example', '+1 604 555 0161', 9000.00, '2016-07-04', NULL, '2024-03-15 16:20:00'),
  (23, 'Lisboa Azulejos Lda', 'Inês Carvalho', 'Lisboa', 'PT', 'ines@azulejos.example', '+351 21 555 0144', 2800.00, '2022-12-12', NULL, '2024-06-21 10:05:44'),
  (24, 'Suomen Puu Oy', 'Mikko Virtanen', 'Tampere', 'FI', 'mikko@suomenpuu.example', NULL, 4200.00, '2019-10-01', NULL, '2023-09-09 09:09:09'),
  (25, 'Bright Minds School', 'Oliver Bennett', 'Dublin', 'IE', 'office@brightminds.example', '+353 1 555 0199', 2500.00, '2020-08-24', 'Orders only in August.', '2023-08-30 14:00:00'),
  (26, 'Weißwurst Manufaktur', 'Franz Weiß', 'München', 'DE', 'franz@weisswurst.example', '+49 89 555 0123', 3000.00, '2018-12-03', NULL, '2024-02-29 12:34:56'),
  (27, 'Zürich Uhren AG', 'Réka Szabó', 'Zürich', 'CH', 'reka@zuerich-uhren.example', '+41 44 555 01 77', 18000.00, '2015-06-15', NULL, '2024-05-20 08:08:08'),
  (28, 'Atlas Logistics', 'Youssef Amrani', 'Casablanca', 'MA', 'y.amrani@atlas-logistics.example', '+212 522 555 010', 7500.00, '2021-02-02', NULL, '2024-04-04 04:04:04'),
  (29, 'Kaffeehaus Wien', 'Ernst Gruber', 'Wien', 'AT', NULL, '+43 1 555 0155', 1800.00, '2023-01-16', NULL, '2024-01-16 15:30:00'),
  (30, 'Riverside Cycles', 'Sam O''Neill', 'Cork', 'IE', 'sam@riversidecycles.example', '+353 21 555 0110', 2200.00, '2024-02-05',
      'New customer.' || char(10) || 'Asked for a catalogue in print.', '2024-02-05 10:00:00');

CREATE TABLE SHOP.ITEMS (
  ITEM_ID      INTEGER NOT NULL PRIMARY KEY,
  SKU          CHAR(8) NOT NULL,
  NAME         VARCHAR(60) NOT NULL,
  CATEGORY     VARCHAR(30),
  UNIT_PRICE   DECIMAL(10,2) NOT NULL,
  WEIGHT_KG    DOUBLE,
  EAN          BIGINT,
  IN_STOCK     SMALLINT,
  DESCRIPTION  VARCHAR(1000),
  DISCONTINUED DATE
);

INSERT INTO SHOP.ITEMS VALUES
  (1, 'LAP-1400', 'Laptop 14" Pro', 'Computers', 1299.00, 1.35, 4006381333931, 12,
      'Aluminium case, 16 GB RAM, 512 GB SSD.' || char(10) || 'Keyboard layout: DE or US.' || char(10) || '2 years warranty.', NULL),
  (2, 'KBD-0101', 'Mechanical keyboard', 'Accessories', 89.90, 0.95, 4006381333948, 40, 'Brown switches, USB-C cable included.', NULL),
  (3, 'MOU-0200', 'Wireless mouse', 'Accessories', 24.50, 0.09, 4006381333955, 150, NULL, NULL),
  (4, 'MON-2700', 'Monitor 27" 4K', 'Displays', 349.00, 6.2, 4006381333962, 8,
      'IPS panel, 3840 × 2160.' || char(10) || 'Height-adjustable stand.', NULL),
  (5, 'CAB-HDMI', 'HDMI cable 2 m', 'Cables', 12.99, 0.12, 4006381333979, 300, NULL, NULL),
  (6, 'HUB-USBC', 'USB-C hub 7-in-1', 'Accessories', 59.00, 0.15, 4006381333986, 65, NULL, NULL),
  (7, 'PAD-MOUS', 'Mouse pad', 'Accessories', 4.95, 0.05, 4006381333993, 500, NULL, NULL),
  (8, 'CHR-ERGO', 'Ergonomic office chair', 'Furniture', 219.00, 14.8, 4006381334006, 5,
      'Adjustable lumbar support.' || char(10) || 'Delivered flat-packed; assembly about 20 min.', NULL),
  (9, 'DSK-STND', 'Standing desk', 'Furniture', 749.00, 32.5, 4006381334013, 3, 'Electric, 70–120 cm, memory for 3 heights.', NULL),
  (10, 'LMP-LED1', 'LED desk lamp', 'Furniture', 39.90, 0.8, 4006381334020, 44, NULL, NULL),
  (11, 'NTB-A5DT', 'Notebook A5 dotted', 'Stationery', 18.75, 0.3, 4006381334037, 220, 'Pack of 3.', NULL),
  (12, 'HDP-NC20', 'Noise-cancelling headphones', 'Audio', 129.00, 0.25, 4006381334044, 27, NULL, NULL),
  (13, 'PEN-GEL5', 'Gel pens (5 colours)', 'Stationery', 7.49, 0.06, 4006381334051, 410, NULL, NULL),
  (14, 'PRN-LSR2', 'Laser printer', 'Printers', 499.00, 11.4, 4006381334068, 0,
      'Duplex, network.' || char(10) || 'Toner not included.', '2024-04-30'),
  (15, 'TNR-LSR2', 'Toner cartridge', 'Printers', 64.50, 0.7, 4006381334075, 18, NULL, NULL),
  (16, 'CLP-0050', 'Paper clips (50)', 'Stationery', 2.99, 0.02, NULL, 900, NULL, NULL),
  (17, 'SPK-BT02', 'Bluetooth speaker', 'Audio', 159.00, 0.6, 4006381334099, 14, NULL, NULL),
  (18, 'BAG-LAP1', 'Laptop sleeve 14"', 'Accessories', 27.80, 0.2, 4006381334105, 75, 'Felt, grey.', NULL),
  (19, 'TAB-1100', 'Tablet 11"', 'Computers', 899.00, 0.48, 4006381334112, 9, NULL, NULL),
  (20, 'WBC-1080', 'Webcam 1080p', 'Accessories', 45.00, 0.16, 4006381334129, 0, NULL, '2023-12-31'),
  (21, 'CAB-USBC', 'USB-C cable 1 m', 'Cables', 14.20, 0.04, 4006381334136, 280, NULL, NULL),
  (22, 'NAS-0204', 'Network storage 2-bay', 'Computers', 379.00, 2.1, 4006381334143, 6, NULL, NULL),
  (23, 'CLN-KIT1', 'Screen cleaning kit', 'Accessories', 9.99, 0.25, 4006381334150, 130, NULL, NULL),
  (24, 'UPS-0850', 'UPS 850 VA', 'Power', 249.00, 8.9, NULL, 4,
      'Keeps a desktop and a monitor running for about 10 minutes.', NULL);

CREATE TABLE SHOP.ORDERS (
  ORDER_ID      INTEGER NOT NULL PRIMARY KEY,
  CUSTOMER_ID   INTEGER NOT NULL REFERENCES CUSTOMERS (CUSTOMER_ID),
  ITEM_ID       INTEGER NOT NULL REFERENCES ITEMS (ITEM_ID),
  QUANTITY      INTEGER NOT NULL,
  UNIT_PRICE    DECIMAL(10,2) NOT NULL,
  ORDER_DATE    DATE NOT NULL,
  SHIPPED_DATE  DATE,
  STATUS        VARCHAR(10) NOT NULL,
  DELIVERY_SLOT TIME,
  CREATED_AT    TIMESTAMP NOT NULL,
  REMARK        VARCHAR(200)
);

INSERT INTO SHOP.ORDERS VALUES
  (1001, 5, 13, 25, 6.74, '2024-01-04', '2024-01-05', 'SHIPPED', '13:30:00', '2024-01-04 16:03:58', NULL),
  (1002, 2, 3, 4, 24.50, '2024-01-05', '2024-01-10', 'SHIPPED', '16:00:00', '2024-01-05 07:52:36', NULL),
  (1003, 8, 21, 25, 14.20, '2024-01-07', NULL, 'OPEN', NULL, '2024-01-07 13:03:14', NULL),
  (1004, 18, 5, 2, 12.99, '2024-01-10', '2024-01-15', 'SHIPPED', '13:30:00', '2024-01-10 15:52:43', NULL),
  (1005, 4, 19, 12, 899.00, '2024-01-12', '2024-01-17', 'SHIPPED', NULL, '2024-01-12 08:36:03', 'Leave at the reception desk'),
  (1006, 16, 22, 10, 379.00, '2024-01-15', '2024-01-20', 'SHIPPED', '16:00:00', '2024-01-15 12:19:15', NULL),
  (1007, 23, 8, 1, 219.00, '2024-01-17', '2024-01-20', 'SHIPPED', NULL, '2024-01-17 14:18:38', NULL),
  (1008, 4, 17, 4, 159.00, '2024-01-19', '2024-01-23', 'SHIPPED', '16:00:00', '2024-01-19 07:42:04', NULL),
  (1009, 11, 23, 3, 9.99, '2024-01-23', '2024-01-27', 'SHIPPED', '08:00:00', '2024-01-23 20:05:17', NULL),
  (1010, 23, 22, 1, 341.10, '2024-01-25', '2024-01-30', 'SHIPPED', NULL, '2024-01-25 20:28:18', NULL),
  (1011, 29, 22, 3, 341.10, '2024-01-28', '2024-01-30', 'SHIPPED', NULL, '2024-01-28 08:31:03', NULL),
  (1012, 25, 10, 1, 39.90, '2024-01-29', '2024-02-02', 'SHIPPED', '08:00:00', '2024-01-29 09:28:25', 'Gift wrap, please.' || char(10) || 'Card text: "Happy birthday, Jörg!"'),
  (1013, 29, 5, 4, 12.99, '2024-02-01', '2024-02-05', 'SHIPPED', '13:30:00', '2024-02-01 17:56:24', NULL),
  (1014, 5, 3, 1, 24.50, '2024-02-03', '2024-02-04', 'SHIPPED', '16:00:00', '2024-02-03 20:37:11', NULL),
  (1015, 10, 1, 1, 1299.00, '2024-02-06', '2024-02-11', 'SHIPPED', '13:30:00', '2024-02-06 09:44:54', NULL),
  (1016, 15, 22, 10, 379.00, '2024-02-08', '2024-02-09', 'SHIPPED', '16:00:00', '2024-02-08 17:25:03', NULL),
  (1017, 3, 7, 5, 4.95, '2024-02-10', '2024-02-11', 'SHIPPED', '08:00:00', '2024-02-10 07:36:09', NULL),
  (1018, 12, 20, 1, 40.50, '2024-02-12', '2024-02-16', 'SHIPPED', '10:00:00', '2024-02-12 17:16:22', NULL),
  (1019, 16, 4, 1, 349.00, '2024-02-16', '2024-02-20', 'SHIPPED', '16:00:00', '2024-02-16 14:19:05', 'Customer called twice about the delivery date'),
  (1020, 4, 24, 3, 249.00, '2024-02-17', '2024-02-19', 'SHIPPED', NULL, '2024-02-17 07:13:33', NULL),
  (1021, 5, 23, 10, 9.99, '2024-02-21', '2024-02-24', 'SHIPPED', NULL, '2024-02-21 20:05:44', NULL),
  (1022, 17, 12, 1, 129.00, '2024-02-23', NULL, 'CANCELLED', '10:00:00', '2024-02-23 15:34:49', NULL),
  (1023, 21, 8, 12, 219.00, '2024-02-25', '2024-02-27', 'SHIPPED', '10:00:00', '2024-02-25 20:25:47', NULL),
  (1024, 7, 17, 5, 159.00, '2024-02-27', NULL, 'OPEN', '08:00:00', '2024-02-27 19:17:30', NULL),
  (1025, 7, 23, 12, 9.99, '2024-03-01', '2024-03-04', 'SHIPPED', '13:30:00', '2024-03-01 08:14:06', NULL),
  (1026, 16, 7, 3, 4.95, '2024-03-03', '2024-03-08', 'SHIPPED', '08:00:00', '2024-03-03 14:58:41', NULL),
  (1027, 26, 21, 1, 14.20, '2024-03-06', '2024-03-10', 'SHIPPED', NULL, '2024-03-06 19:12:30', 'Partial delivery agreed:' || char(10) || '- 2 now' || char(10) || '- rest in two weeks'),
  (1028, 14, 21, 3, 12.78, '2024-03-07', '2024-03-11', 'SHIPPED', '16:00:00', '2024-03-07 13:47:05', NULL),
  (1029, 6, 5, 1, 12.99, '2024-03-10', '2024-03-12', 'SHIPPED', NULL, '2024-03-10 20:38:30', NULL),
  (1030, 5, 18, 10, 25.02, '2024-03-13', NULL, 'OPEN', NULL, '2024-03-13 17:06:33', NULL),
  (1031, 14, 7, 2, 4.46, '2024-03-15', '2024-03-20', 'SHIPPED', '10:00:00', '2024-03-15 19:37:20', NULL),
  (1032, 18, 14, 1, 449.10, '2024-03-18', '2024-03-22', 'SHIPPED', NULL, '2024-03-18 16:52:57', NULL),
  (1033, 27, 17, 1, 159.00, '2024-03-20', '2024-03-21', 'SHIPPED', '16:00:00', '2024-03-20 19:11:38', 'Rechnung bitte an die Buchhaltung (Frau Weiß)'),
  (1034, 25, 5, 1, 11.69, '2024-03-22', '2024-03-23', 'SHIPPED', NULL, '2024-03-22 07:20:43', NULL),
  (1035, 26, 4, 10, 314.10, '2024-03-25', '2024-03-26', 'SHIPPED', '08:00:00', '2024-03-25 15:28:35', NULL),
  (1036, 25, 3, 5, 24.50, '2024-03-27', '2024-04-01', 'SHIPPED', NULL, '2024-03-27 10:44:17', NULL),
  (1037, 17, 18, 5, 27.80, '2024-03-30', '2024-04-04', 'SHIPPED', '13:30:00', '2024-03-30 21:35:57', NULL),
  (1038, 27, 15, 1, 64.50, '2024-03-31', '2024-04-03', 'SHIPPED', '08:00:00', '2024-03-31 17:15:27', NULL),
  (1039, 7, 22, 2, 379.00, '2024-04-03', '2024-04-05', 'SHIPPED', NULL, '2024-04-03 17:42:23', NULL),
  (1040, 9, 5, 5, 12.99, '2024-04-05', '2024-04-09', 'SHIPPED', '16:00:00', '2024-04-05 09:42:53', NULL),
  (1041, 6, 23, 4, 9.99, '2024-04-08', NULL, 'CANCELLED', '16:00:00', '2024-04-08 12:26:12', 'Cancelled by customer: found cheaper elsewhere'),
  (1042, 11, 3, 3, 22.05, '2024-04-11', '2024-04-15', 'SHIPPED', NULL, '2024-04-11 07:24:21', NULL),
  (1043, 17, 3, 1, 24.50, '2024-04-13', '2024-04-14', 'SHIPPED', '08:00:00', '2024-04-13 11:17:02', NULL),
  (1044, 9, 5, 4, 12.99, '2024-04-15', '2024-04-18', 'SHIPPED', '16:00:00', '2024-04-15 09:34:58', NULL),
  (1045, 23, 11, 1, 18.75, '2024-04-18', '2024-04-20', 'SHIPPED', '16:00:00', '2024-04-18 21:04:17', NULL),
  (1046, 21, 3, 2, 22.05, '2024-04-20', '2024-04-21', 'SHIPPED', '13:30:00', '2024-04-20 20:07:29', NULL),
  (1047, 11, 18, 4, 27.80, '2024-04-22', '2024-04-24', 'SHIPPED', '08:00:00', '2024-04-22 15:45:15', NULL),
  (1048, 6, 9, 1, 749.00, '2024-04-24', '2024-04-27', 'SHIPPED', NULL, '2024-04-24 19:13:18', NULL),
  (1049, 17, 22, 1, 379.00, '2024-04-28', '2024-05-01', 'SHIPPED', '08:00:00', '2024-04-28 07:01:46', NULL),
  (1050, 17, 16, 2, 2.99, '2024-04-29', '2024-05-03', 'SHIPPED', NULL, '2024-04-29 14:34:53', 'Express shipping'),
  (1051, 17, 10, 2, 39.90, '2024-05-03', '2024-05-05', 'SHIPPED', '16:00:00', '2024-05-03 12:03:53', NULL),
  (1052, 1, 3, 25, 24.50, '2024-05-04', '2024-05-06', 'SHIPPED', '08:00:00', '2024-05-04 08:42:53', NULL),
  (1053, 28, 17, 25, 159.00, '2024-05-07', '2024-05-10', 'SHIPPED', '08:00:00', '2024-05-07 14:11:10', NULL),
  (1054, 15, 1, 2, 1299.00, '2024-05-10', '2024-05-15', 'SHIPPED', '13:30:00', '2024-05-10 10:02:56', NULL),
  (1055, 7, 12, 1, 116.10, '2024-05-12', '2024-05-16', 'SHIPPED', '13:30:00', '2024-05-12 15:41:12', NULL),
  (1056, 17, 1, 1, 1299.00, '2024-05-14', '2024-05-18', 'SHIPPED', NULL, '2024-05-14 07:25:01', NULL),
  (1057, 10, 21, 2, 12.78, '2024-05-17', '2024-05-19', 'SHIPPED', NULL, '2024-05-17 21:45:50', NULL),
  (1058, 25, 11, 5, 16.88, '2024-05-19', '2024-05-21', 'SHIPPED', '08:00:00', '2024-05-19 20:53:45', 'Deliver after 16:00 only'),
  (1059, 24, 23, 10, 8.99, '2024-05-22', '2024-05-27', 'SHIPPED', NULL, '2024-05-22 20:52:51', NULL),
  (1060, 27, 22, 12, 379.00, '2024-05-23', '2024-05-25', 'SHIPPED', '08:00:00', '2024-05-23 07:02:08', NULL),
  (1061, 4, 13, 5, 7.49, '2024-05-27', '2024-06-01', 'SHIPPED', NULL, '2024-05-27 10:31:16', NULL),
  (1062, 15, 3, 10, 24.50, '2024-05-28', '2024-06-02', 'SHIPPED', '08:00:00', '2024-05-28 18:47:30', NULL),
  (1063, 26, 3, 2, 24.50, '2024-05-31', NULL, 'CANCELLED', '10:00:00', '2024-05-31 10:47:41', NULL),
  (1064, 16, 13, 1, 7.49, '2024-06-03', '2024-06-04', 'SHIPPED', NULL, '2024-06-03 17:41:12', NULL),
  (1065, 20, 5, 3, 12.99, '2024-06-04', '2024-06-07', 'SHIPPED', NULL, '2024-06-04 16:08:00', NULL),
  (1066, 2, 16, 2, 2.99, '2024-06-08', '2024-06-10', 'SHIPPED', NULL, '2024-06-08 14:18:45', 'Address corrected by phone; see customer notes'),
  (1067, 15, 15, 5, 64.50, '2024-06-10', '2024-06-15', 'SHIPPED', '10:00:00', '2024-06-10 11:05:59', NULL),
  (1068, 1, 10, 5, 35.91, '2024-06-12', '2024-06-16', 'SHIPPED', '13:30:00', '2024-06-12 13:13:58', NULL),
  (1069, 3, 19, 1, 809.10, '2024-06-14', '2024-06-17', 'SHIPPED', '10:00:00', '2024-06-14 16:52:40', NULL),
  (1070, 29, 4, 3, 349.00, '2024-06-17', NULL, 'OPEN', '16:00:00', '2024-06-17 13:01:10', NULL),
  (1071, 16, 22, 5, 379.00, '2024-06-19', NULL, 'OPEN', NULL, '2024-06-19 09:26:22', NULL),
  (1072, 11, 4, 3, 314.10, '2024-06-22', NULL, 'OPEN', '13:30:00', '2024-06-22 20:25:07', NULL);

-- The open orders with the customer's and the item's names.
CREATE VIEW SHOP.OPEN_ORDERS AS
  SELECT o.ORDER_ID, o.ORDER_DATE, c.NAME AS CUSTOMER, i.NAME AS ITEM, o.QUANTITY, o.UNIT_PRICE, o.DELIVERY_SLOT
  FROM ORDERS AS o
  JOIN CUSTOMERS AS c ON c.CUSTOMER_ID = o.CUSTOMER_ID
  JOIN ITEMS AS i ON i.ITEM_ID = o.ITEM_ID
  WHERE o.STATUS = 'OPEN';

CREATE TABLE SALES.TARGETS (
  REGION        VARCHAR(20) NOT NULL,
  YEAR          SMALLINT NOT NULL,
  QUARTER       SMALLINT NOT NULL,
  TARGET_AMOUNT DECIMAL(12,2) NOT NULL,
  OWNER         VARCHAR(40),
  PRIMARY KEY (REGION, YEAR, QUARTER)
);

INSERT INTO SALES.TARGETS VALUES
  ('DACH', 2024, 1, 42000.00, 'Jana Köhler'),
  ('DACH', 2024, 2, 45000.00, 'Jana Köhler'),
  ('DACH', 2024, 3, 40000.00, 'Jana Köhler'),
  ('Nordics', 2024, 1, 18000.00, 'Lars Eriksson'),
  ('Nordics', 2024, 2, 19500.00, 'Lars Eriksson'),
  ('Nordics', 2024, 3, 17000.00, NULL),
  ('South', 2024, 1, 21000.00, 'Chiara Bianchi'),
  ('South', 2024, 2, 24000.00, 'Chiara Bianchi'),
  ('South', 2024, 3, 26000.00, 'Chiara Bianchi'),
  ('Overseas', 2024, 1, 30000.00, 'Michael O''Brien'),
  ('Overseas', 2024, 2, 31000.00, 'Michael O''Brien'),
  ('Overseas', 2024, 3, 33000.00, NULL);
