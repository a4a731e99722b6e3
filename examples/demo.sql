-- Demo database of Mirt: Talvo Trading, a small wholesale company.
--
-- Deterministic and self-contained: the build turns this script into
-- demo.db with the sqlite3 command-line tool and places it in the program's
-- folder (<build>/bin/demo.db). Tests reach it as MIRT_BINARY_DIR "/bin/demo.db";
-- example reports name it "Provider=SQLite;Data Source=demo.db".
--
-- Tables: Categories (with a small PNG picture each), Products, Customers,
-- Employees, Orders (some with long notes over several lines, some not yet
-- shipped), "Order Details"; views "Order Totals" and "Product List".
-- Prices are CURRENCY with two decimals, dates DATE or DATETIME text.

BEGIN TRANSACTION;

CREATE TABLE Categories (
    CategoryID   INTEGER PRIMARY KEY,
    CategoryName VARCHAR(30) NOT NULL,
    Description  MEMO,
    Picture      BLOB
);

CREATE TABLE Products (
    ProductID       INTEGER PRIMARY KEY,
    ProductName     VARCHAR(40) NOT NULL,
    CategoryID      INTEGER NOT NULL REFERENCES Categories (CategoryID),
    QuantityPerUnit VARCHAR(30),
    UnitPrice       CURRENCY NOT NULL,
    UnitsInStock    SMALLINT NOT NULL,
    Discontinued    BOOLEAN NOT NULL
);

CREATE TABLE Customers (
    CustomerID   VARCHAR(5) PRIMARY KEY,
    CompanyName  VARCHAR(40) NOT NULL,
    ContactName  VARCHAR(30),
    ContactTitle VARCHAR(30),
    Address      VARCHAR(60),
    City         VARCHAR(20),
    Region       VARCHAR(20),
    PostalCode   VARCHAR(10),
    Country      VARCHAR(20),
    Phone        VARCHAR(24),
    Fax          VARCHAR(24)
);

CREATE TABLE Employees (
    EmployeeID      INTEGER PRIMARY KEY,
    LastName        VARCHAR(20) NOT NULL,
    FirstName       VARCHAR(10) NOT NULL,
    Title           VARCHAR(30),
    TitleOfCourtesy VARCHAR(10),
    BirthDate       DATE,
    HireDate        DATE,
    City            VARCHAR(20),
    Country         VARCHAR(20),
    ReportsTo       INTEGER REFERENCES Employees (EmployeeID),
    Notes           MEMO
);

CREATE TABLE Orders (
    OrderID      INTEGER PRIMARY KEY,
    CustomerID   VARCHAR(5) NOT NULL REFERENCES Customers (CustomerID),
    EmployeeID   INTEGER NOT NULL REFERENCES Employees (EmployeeID),
    OrderDate    DATETIME NOT NULL,
    RequiredDate DATE,
    ShippedDate  DATETIME,
    Freight      CURRENCY NOT NULL,
    ShipName     VARCHAR(40),
    ShipCity     VARCHAR(20),
    ShipCountry  VARCHAR(20),
    Notes        MEMO
);

CREATE TABLE "Order Details" (
    OrderID   INTEGER NOT NULL REFERENCES Orders (OrderID),
    ProductID INTEGER NOT NULL REFERENCES Products (ProductID),
    UnitPrice CURRENCY NOT NULL,
    Quantity  SMALLINT NOT NULL,
    Discount  REAL NOT NULL DEFAULT 0,
    PRIMARY KEY (OrderID, ProductID)
);

-- Pictures are 32 x 32 PNG images.
INSERT INTO Categories VALUES (1, 'Coffee & Tea', 'Coffees, teas and cocoa, whole bean and ground', X'89504E470D0A1A0A0000000D4948445200000020000000200802000000FC18EDA3000000684944415478DA63B0A1316000E23C370D1AA1510BA869C1B313D3D010752CC03497249B0858408CE9F8EDC06701F1A6E3B103A705A49A8ECB0EEC1690673A563B86A50594988E69C7A80523D382D18C36280A3B7A14D7F4A870E85165D2A3D21F6D78D1C9029A02004CEA78EC8C99955B0000000049454E44AE426082');
INSERT INTO Categories VALUES (2, 'Sauces & Spices', 'Sauces, relishes, spreads and seasonings', X'89504E470D0A1A0A0000000D4948445200000020000000200802000000FC18EDA30000006E4944415478DAEDD6B10DC0200C44512661122666880C4605124D24637324B2EC28B68EF6BF9654942F8D5773565A0001D0B5AB8C7D1698F523C31370AFE3060AD03A68F800B83A623800E4FAD6B00690BA6C9802785D3058E0B4CE1946C0B3FAD2B000DED4A911BF8AFF00AAD7014707680D88EF43880000000049454E44AE426082');
INSERT INTO Categories VALUES (3, 'Sweets', 'Chocolate, biscuits, candy and sweet breads', X'89504E470D0A1A0A0000000D4948445200000020000000200802000000FC18EDA3000000594944415478DA63B0A1316000E20FAB4E4CD388822320972022523DD40264D5C4D841BCFA510B88B580E6914C8C89E4A1416001854147C002CA237FD4024A2DA079240FA97C305A1F8CD607A3F5C1687D305A1F501CC93405007BF46E229491330A0000000049454E44AE426082');
INSERT INTO Categories VALUES (4, 'Cheese & Dairy', 'Cheeses, butter and cream', X'89504E470D0A1A0A0000000D4948445200000020000000200802000000FC18EDA3000000814944415478DA63B0A1316000E25F1FB6D0088D280BEEACD24043D4B100D35C926C22600131A6E3B7039F05C49B8EC70E9C16906A3A2E3BB05B40A466629461B180A42026A898280B2849BE842D20238BE0B3800CD3F16B1CB560045A40F3643A00198DFA4505CD0B3B7A14D7F4A870E85165D2A3D2A747B365B4E908B180A6000080DF796116C393ED0000000049454E44AE426082');
INSERT INTO Categories VALUES (5, 'Bread & Grains', 'Breads, crackers, pasta, rice and cereal', X'89504E470D0A1A0A0000000D4948445200000020000000200802000000FC18EDA30000003D4944415478DA63B0A1316000E2130B526884462D20D6828A0039084296830B52223E6AC1A805A3168C5A306AC1A805A3168C2C0B461B5E036F014D0100D6B08030792609890000000049454E44AE426082');
INSERT INTO Categories VALUES (6, 'Meat', 'Prepared and cured meats', X'89504E470D0A1A0A0000000D4948445200000020000000200802000000FC18EDA3000000384944415478DA63B0A1316000E26972463442A3168C640B3EDCB943061AB560D482510B462D18B560D482C166C168A53F6A01A916D0140000841AB99C6099F00A0000000049454E44AE426082');
INSERT INTO Categories VALUES (7, 'Fruit & Vegetables', 'Dried fruit, preserves and pickled vegetables', X'89504E470D0A1A0A0000000D4948445200000020000000200802000000FC18EDA3000000884944415478DAEDD6B90D80301044511746115447891441048804C97BCC023324B62CC2FF248E356D22AF765E16DA1EC0E7C0B6CEC7660157BD66E0C0BD5E3040A0AFA306027875C84881B89E1B3180D4132300F07A647840B5EE1A26F0AC6E1B3DF0A66E183F00F45BA478C88AD754F1A129468562D829C6B5E2C0511C998A437FFC783101E6DA01DD6E37C4564F8B010000000049454E44AE426082');
INSERT INTO Categories VALUES (8, 'Fish', 'Smoked, salted and canned fish and seafood', X'89504E470D0A1A0A0000000D4948445200000020000000200802000000FC18EDA30000003C4944415478DA63B0A1316000628DA8553442A31650D38213CF7EA1A1510B462D18BE16601A442A1AB560D482D18C366AC1A805A30DAF81B280A60000FD2AC89CD4A6187E0000000049454E44AE426082');

INSERT INTO Products VALUES (1, 'Highland Breakfast Tea', 1, '20 bags x 2 g', 4.50, 39, 0);
INSERT INTO Products VALUES (2, 'Mocha Java Blend', 1, '500 g bag', 12.75, 17, 0);
INSERT INTO Products VALUES (3, 'Decaf Colombian', 1, '250 g tin', 9.90, 0, 1);
INSERT INTO Products VALUES (4, 'Jasmine Pearls', 1, '100 g box', 18.60, 52, 0);
INSERT INTO Products VALUES (5, 'Dutch Cocoa Powder', 1, NULL, 7.20, 25, 0);
INSERT INTO Products VALUES (6, 'Chipotle Ketchup', 2, '12 x 300 ml bottles', 24.00, 13, 0);
INSERT INTO Products VALUES (7, 'Smoked Paprika', 2, '6 x 80 g jars', 15.30, 53, 0);
INSERT INTO Products VALUES (8, 'Black Garlic Paste', 2, '10 x 120 g jars', 31.90, 120, 0);
INSERT INTO Products VALUES (9, 'Mango Chutney', 2, '12 x 250 g jars', 21.25, 6, 0);
INSERT INTO Products VALUES (10, 'Herbes de Provence', 2, '24 x 30 g jars', 19.00, 29, 0);
INSERT INTO Products VALUES (11, 'Dark Chocolate 70%', 3, '20 x 100 g bars', 33.00, 75, 0);
INSERT INTO Products VALUES (12, 'Butter Shortbread', 3, '10 x 200 g boxes', 17.45, 40, 0);
INSERT INTO Products VALUES (13, 'Licorice Allsorts', 3, '24 x 150 g bags', 20.50, 3, 0);
INSERT INTO Products VALUES (14, 'Honey Nougat', 3, '12 x 100 g bars', 14.60, 15, 0);
INSERT INTO Products VALUES (15, 'Gingerbread Hearts', 3, '30 pieces', 9.75, 0, 1);
INSERT INTO Products VALUES (16, 'Aged Gouda', 4, '1 kg wheel', 28.90, 22, 0);
INSERT INTO Products VALUES (17, 'Fresh Mozzarella', 4, '12 x 125 g', 15.40, 86, 0);
INSERT INTO Products VALUES (18, 'Salted Butter', 4, '20 x 250 g', 26.60, 24, 0);
INSERT INTO Products VALUES (19, 'Blue Stilton', 4, '500 g piece', 21.80, 19, 0);
INSERT INTO Products VALUES (20, 'Sourdough Crackers', 5, '24 x 150 g', 16.80, 38, 0);
INSERT INTO Products VALUES (21, 'Durum Spaghetti', 5, '20 x 500 g', 13.90, 104, 0);
INSERT INTO Products VALUES (22, 'Wild Rice Mix', 5, '12 x 1 kg', 42.20, 11, 0);
INSERT INTO Products VALUES (23, 'Rye Crispbread', 5, '12 x 250 g', 10.95, 61, 0);
INSERT INTO Products VALUES (24, 'Steel-cut Oats', 5, '8 x 1 kg', 12.50, 0, 1);
INSERT INTO Products VALUES (25, 'Cured Ham', 6, '1 kg', 39.75, 27, 0);
INSERT INTO Products VALUES (26, 'Duck Rillettes', 6, '12 x 180 g jars', 46.90, 9, 0);
INSERT INTO Products VALUES (27, 'Spiced Sausage', 6, '20 x 250 g', 33.10, 48, 0);
INSERT INTO Products VALUES (28, 'Beef Jerky', 6, '50 x 40 g', 27.90, 0, 1);
INSERT INTO Products VALUES (29, 'Dried Apricots', 7, '10 x 500 g', 22.30, 36, 0);
INSERT INTO Products VALUES (30, 'Pickled Beetroot', 7, '12 x 450 g jars', 14.80, 57, 0);
INSERT INTO Products VALUES (31, 'Sun-dried Tomatoes', 7, '12 x 280 g jars', 25.75, 18, 0);
INSERT INTO Products VALUES (32, 'Cherry Preserve', 7, '24 x 340 g jars', 31.20, 44, 0);
INSERT INTO Products VALUES (33, 'Marinated Artichokes', 7, '12 x 300 g jars', 29.60, 0, 1);
INSERT INTO Products VALUES (34, 'Smoked Salmon', 8, '10 x 200 g', 52.00, 21, 0);
INSERT INTO Products VALUES (35, 'Salt Cod', 8, '5 kg box', 64.00, 8, 0);
INSERT INTO Products VALUES (36, 'Anchovy Fillets', 8, '24 x 50 g tins', 18.50, 77, 0);
INSERT INTO Products VALUES (37, 'Pickled Herring', 8, '12 x 500 g jars', 24.70, 33, 0);
INSERT INTO Products VALUES (38, 'Crab Meat', 8, '24 x 170 g tins', 43.80, 12, 0);
INSERT INTO Products VALUES (39, 'Sardines in Olive Oil', 8, '30 x 120 g tins', 16.30, 95, 0);
INSERT INTO Products VALUES (40, 'Lobster Bisque', 8, '12 x 400 ml tins', 38.40, 5, 0);

INSERT INTO Customers VALUES ('ALPHA', 'Alpha Delicatessen', 'Maria Berg', 'Owner', 'Obere Str. 57', 'Berlin', NULL, '12209', 'Germany', '030-0074321', '030-0076545');
INSERT INTO Customers VALUES ('BAKER', 'Baker Street Provisions', 'Thomas Hardy', 'Sales Representative', '120 Hanover Sq.', 'London', NULL, 'WA1 1DP', 'UK', '(171) 555-7788', NULL);
INSERT INTO Customers VALUES ('OBRIE', 'O''Brien & Sons Wholesale', 'Siobhán O''Brien', 'Purchasing Manager', '14 Quay Street', 'Galway', 'Connacht', 'H91 X2E4', 'Ireland', '091-555 2870', '091-555 2871');
INSERT INTO Customers VALUES ('MULLR', 'Müller Feinkost', 'Jürgen Müller', 'Owner', 'Königsallee 12', 'Düsseldorf', NULL, '40212', 'Germany', '0211-555 14 90', NULL);
INSERT INTO Customers VALUES ('BONAP', 'Bon appétit', 'Laurence Lebihan', 'Owner', '12, rue des Bouchers', 'Marseille', NULL, '13008', 'France', '91.24.45.40', '91.24.45.41');
INSERT INTO Customers VALUES ('CASAD', 'Casa del Sabor', 'Diego Roel', 'Accounting Manager', 'C/ Moralzarzal, 86', 'Madrid', NULL, '28034', 'Spain', '(91) 555 94 44', '(91) 555 55 93');
INSERT INTO Customers VALUES ('NORTH', 'North Sea Traders', 'Ingrid Dahl', 'Sales Manager', 'Strandgaten 8', 'Bergen', NULL, '5013', 'Norway', '55 55 12 34', NULL);
INSERT INTO Customers VALUES ('LAKES', 'Great Lakes Food Market', 'Howard Snyder', 'Marketing Manager', '2732 Baker Blvd.', 'Eugene', 'OR', '97403', 'USA', '(503) 555-7555', NULL);
INSERT INTO Customers VALUES ('RIVER', 'Riverside Grocers', 'Yoshi Latimer', 'Sales Representative', 'City Center Plaza 516 Main St.', 'Elgin', 'OR', '97827', 'USA', '(503) 555-6874', '(503) 555-2376');
INSERT INTO Customers VALUES ('SAOPA', 'Empório São Paulo', 'Pedro Afonso', 'Sales Associate', 'Av. dos Lusíadas, 23', 'São Paulo', 'SP', '05432-043', 'Brazil', '(11) 555-7647', NULL);
INSERT INTO Customers VALUES ('TOKYO', 'Tokyo Fine Foods', 'Keiko Tanaka', 'Buyer', '2-14-5 Ginza', 'Tokyo', NULL, '104-0061', 'Japan', '(03) 3555-5011', NULL);
INSERT INTO Customers VALUES ('VINED', 'Vins et alcools Dupont', 'Paul Henriot', 'Accounting Manager', '59 rue de l''Abbaye', 'Reims', NULL, '51100', 'France', '26.47.15.10', '26.47.15.11');
INSERT INTO Customers VALUES ('WARSZ', 'Delikatesy Łazienki', 'Zbyszek Piestrzeniewicz', 'Owner', 'ul. Filtrowa 68', 'Warszawa', NULL, '01-012', 'Poland', '(26) 642-7012', '(26) 642-7012');
INSERT INTO Customers VALUES ('HELVE', 'Helvetia Käserei', 'Yvonne Moncada', 'Sales Agent', 'Hauptstr. 29', 'Bern', NULL, '3012', 'Switzerland', '0452-076545', NULL);
INSERT INTO Customers VALUES ('OTTAW', 'Ottawa Valley Market', 'Elizabeth Lincoln', 'Accounting Manager', '23 Tsawassen Blvd.', 'Ottawa', 'ON', 'K1A 0B1', 'Canada', '(613) 555-4729', '(613) 555-3745');
INSERT INTO Customers VALUES ('ROMAF', 'Roma Formaggi', 'Giovanni Rovelli', 'Marketing Manager', 'Via Ludovico il Moro 22', 'Bergamo', NULL, '24100', 'Italy', '035-640230', '035-640231');
INSERT INTO Customers VALUES ('SYDNE', 'Sydney Harbour Imports', 'Jack Wilson', 'Owner', '42 George Street', 'Sydney', 'NSW', '2000', 'Australia', '(02) 5555 0199', NULL);
INSERT INTO Customers VALUES ('WELLI', 'Wellington Importadora', 'Paula Parente', 'Sales Manager', 'Rua do Mercado, 12', 'Resende', 'SP', '08737-363', 'Brazil', '(14) 555-8122', NULL);
INSERT INTO Customers VALUES ('ANTON', 'Antonio''s Taquería', 'Antonio Moreno', 'Owner', 'Mataderos 2312', 'México D.F.', NULL, '05023', 'Mexico', '(5) 555-3932', NULL);
INSERT INTO Customers VALUES ('FOLKO', 'Folk och fä HB', 'Maria Larsson', 'Owner', 'Åkergatan 24', 'Bräcke', NULL, 'S-844 67', 'Sweden', '0695-34 67 21', NULL);
INSERT INTO Customers VALUES ('GOURM', 'Gourmet Lanchonetes', 'André Fonseca', 'Sales Associate', 'Av. Brasil, 442', 'Campinas', 'SP', '04876-786', 'Brazil', '(11) 555-9482', NULL);
INSERT INTO Customers VALUES ('HUNGR', 'Hungry Owl All-Night Grocers', 'Patricia McKenna', 'Sales Associate', '8 Johnstown Road', 'Cork', 'Co. Cork', NULL, 'Ireland', '2967 542', '2967 3333');
INSERT INTO Customers VALUES ('ISLAN', 'Island Trading', 'Helen Bennett', 'Marketing Manager', 'Garden House Crowther Way', 'Cowes', 'Isle of Wight', 'PO31 7PJ', 'UK', '(198) 555-8888', NULL);
INSERT INTO Customers VALUES ('KONIG', 'Königlich Essen', 'Philip Cramer', 'Sales Associate', 'Maubelstr. 90', 'Brandenburg', NULL, '14776', 'Germany', '0555-09876', NULL);
INSERT INTO Customers VALUES ('LAMAI', 'La maison d''Asie', 'Annette Roulet', 'Sales Manager', '1 rue Alsace-Lorraine', 'Toulouse', NULL, '31000', 'France', '61.77.61.10', '61.77.61.11');
INSERT INTO Customers VALUES ('PRAGU', 'Pražská lahůdka', 'Jana Nováková', 'Buyer', 'Vodičkova 30', 'Praha', NULL, '110 00', 'Czech Republic', '(2) 555 123 456', NULL);
INSERT INTO Customers VALUES ('QUICK', 'QUICK-Stop', 'Horst Kloss', 'Accounting Manager', 'Taucherstraße 10', 'Cunewalde', NULL, '01307', 'Germany', '0372-035188', NULL);
INSERT INTO Customers VALUES ('SEVEN', 'Seven Seas Imports', 'Hari Kumar', 'Sales Manager', '90 Wadhurst Rd.', 'London', NULL, 'OX15 4NB', 'UK', '(171) 555-1717', '(171) 555-5646');
INSERT INTO Customers VALUES ('VAFFE', 'Vaffeljernet', 'Palle Ibsen', 'Sales Manager', 'Smagsløget 45', 'Århus', NULL, '8200', 'Denmark', '86 21 32 43', '86 22 33 44');
INSERT INTO Customers VALUES ('ZENIT', 'Zenith Corner Shop', 'Amir Haddad', NULL, NULL, 'Toronto', 'ON', NULL, 'Canada', NULL, NULL);

INSERT INTO Employees VALUES (1, 'Lindqvist', 'Anna', 'Managing Director', 'Dr.', '1962-02-19', '2008-08-14', 'London', 'UK', NULL, 'Anna founded Talvo Trading in 2008 after fifteen years in food import.
She holds a doctorate in economics and speaks Swedish, English and French.');
INSERT INTO Employees VALUES (2, 'Okafor', 'Daniel', 'Sales Manager', 'Mr.', '1975-03-04', '2010-10-17', 'London', 'UK', 1, 'Daniel leads the sales team and looks after the largest accounts.');
INSERT INTO Employees VALUES (3, 'Fischer', 'Lena', 'Sales Representative', 'Ms.', '1984-08-30', '2012-04-01', 'Hamburg', 'Germany', 2, 'Lena covers Germany, Austria and Switzerland.');
INSERT INTO Employees VALUES (4, 'Moreau', 'Julien', 'Sales Representative', 'Mr.', '1988-09-19', '2014-05-03', 'Lyon', 'France', 2, NULL);
INSERT INTO Employees VALUES (5, 'Santos', 'Beatriz', 'Sales Representative', 'Mrs.', '1979-03-04', '2015-10-17', 'Lisbon', 'Portugal', 2, 'Beatriz opened the South American market.
She travels to Brazil twice a year.');
INSERT INTO Employees VALUES (6, 'Kowalski', 'Piotr', 'Sales Representative', 'Mr.', '1990-07-02', '2017-10-17', 'Warsaw', 'Poland', 2, NULL);
INSERT INTO Employees VALUES (7, 'Walsh', 'Ciara', 'Inside Sales Coordinator', 'Ms.', '1993-01-09', '2019-01-02', 'London', 'UK', 1, 'Ciara handles order entry and the shipping schedule.');
INSERT INTO Employees VALUES (8, 'Nakamura', 'Ken', 'Sales Representative', 'Mr.', '1986-05-29', '2020-03-05', 'London', 'UK', 2, NULL);
INSERT INTO Employees VALUES (9, 'Berg', 'Ola', 'Sales Representative', 'Mr.', '1995-01-27', '2022-11-15', 'Oslo', 'Norway', 2, 'Ola joined in 2022 for the Nordic countries.');

INSERT INTO Orders VALUES (10001, 'SAOPA', 9, '2023-01-04 16:47:00', '2023-02-01', '2023-01-14 22:00:00', 87.02, 'Empório São Paulo', 'São Paulo', 'Brazil', NULL);
INSERT INTO Orders VALUES (10002, 'QUICK', 7, '2023-01-06 16:04:00', '2023-02-03', NULL, 286.97, 'QUICK-Stop', 'Cunewalde', 'Germany', NULL);
INSERT INTO Orders VALUES (10003, 'CASAD', 7, '2023-01-09 08:25:00', '2023-02-06', '2023-01-21 11:00:00', 17.23, 'Casa del Sabor', 'Madrid', 'Spain', NULL);
INSERT INTO Orders VALUES (10004, 'SEVEN', 7, '2023-01-11 08:54:00', '2023-02-08', '2023-01-15 08:00:00', 203.14, 'Seven Seas Imports', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10005, 'HELVE', 2, '2023-01-12 09:06:00', '2023-02-09', '2023-01-23 14:00:00', 245.88, 'Helvetia Käserei', 'Bern', 'Switzerland', NULL);
INSERT INTO Orders VALUES (10006, 'RIVER', 5, '2023-01-16 08:01:00', '2023-02-13', '2023-01-26 13:00:00', 426.61, 'Riverside Grocers', 'Elgin', 'USA', NULL);
INSERT INTO Orders VALUES (10007, 'QUICK', 1, '2023-01-18 12:58:00', '2023-02-15', '2023-01-21 13:00:00', 21.10, 'QUICK-Stop', 'Cunewalde', 'Germany', NULL);
INSERT INTO Orders VALUES (10008, 'TOKYO', 7, '2023-01-20 14:59:00', '2023-02-17', '2023-02-01 18:00:00', 297.92, 'Tokyo Fine Foods', 'Tokyo', 'Japan', 'Fragile: glass jars.');
INSERT INTO Orders VALUES (10009, 'ALPHA', 4, '2023-01-23 13:45:00', '2023-02-20', '2023-01-24 19:00:00', 94.69, 'Alpha Delicatessen', 'Berlin', 'Germany', NULL);
INSERT INTO Orders VALUES (10010, 'SEVEN', 3, '2023-01-25 16:38:00', '2023-02-22', '2023-01-29 19:00:00', 162.35, 'Seven Seas Imports', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10011, 'SAOPA', 6, '2023-01-27 17:34:00', '2023-02-24', '2023-02-07 17:00:00', 240.47, 'Empório São Paulo', 'São Paulo', 'Brazil', NULL);
INSERT INTO Orders VALUES (10012, 'CASAD', 4, '2023-01-30 17:00:00', '2023-02-27', '2023-01-31 20:00:00', 369.07, 'Casa del Sabor', 'Madrid', 'Spain', NULL);
INSERT INTO Orders VALUES (10013, 'WARSZ', 4, '2023-02-01 11:02:00', '2023-03-01', '2023-02-06 11:00:00', 191.81, 'Delikatesy Łazienki', 'Warszawa', 'Poland', NULL);
INSERT INTO Orders VALUES (10014, 'ISLAN', 4, '2023-02-03 17:56:00', '2023-03-03', '2023-02-08 19:00:00', 170.12, 'Island Trading', 'Cowes', 'UK', NULL);
INSERT INTO Orders VALUES (10015, 'SEVEN', 2, '2023-02-06 11:20:00', '2023-03-06', '2023-02-09 14:00:00', 318.82, 'Seven Seas Imports', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10016, 'VINED', 5, '2023-02-07 08:35:00', '2023-03-07', '2023-02-13 09:00:00', 189.66, 'Vins et alcools Dupont', 'Reims', 'France', NULL);
INSERT INTO Orders VALUES (10017, 'WELLI', 5, '2023-02-08 16:02:00', '2023-03-08', '2023-02-14 18:00:00', 127.70, 'Wellington Importadora', 'Resende', 'Brazil', NULL);
INSERT INTO Orders VALUES (10018, 'NORTH', 1, '2023-02-09 10:21:00', '2023-03-09', '2023-02-18 16:00:00', 103.93, 'North Sea Traders', 'Bergen', 'Norway', NULL);
INSERT INTO Orders VALUES (10019, 'WARSZ', 2, '2023-02-10 13:17:00', '2023-03-10', '2023-02-13 19:00:00', 270.91, 'Delikatesy Łazienki', 'Warszawa', 'Poland', NULL);
INSERT INTO Orders VALUES (10020, 'SYDNE', 7, '2023-02-13 14:54:00', '2023-03-13', '2023-02-17 20:00:00', 28.91, 'Sydney Harbour Imports', 'Sydney', 'Australia', NULL);
INSERT INTO Orders VALUES (10021, 'SEVEN', 8, '2023-02-14 09:44:00', '2023-03-14', '2023-02-23 09:00:00', 179.44, 'Seven Seas Imports', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10022, 'HELVE', 8, '2023-02-16 17:10:00', '2023-03-16', '2023-02-21 21:00:00', 443.44, 'Helvetia Käserei', 'Bern', 'Switzerland', NULL);
INSERT INTO Orders VALUES (10023, 'QUICK', 3, '2023-02-20 14:03:00', '2023-03-20', '2023-02-24 20:00:00', 86.25, 'QUICK-Stop', 'Cunewalde', 'Germany', NULL);
INSERT INTO Orders VALUES (10024, 'ISLAN', 6, '2023-02-22 15:11:00', '2023-03-22', '2023-03-05 18:00:00', 316.55, 'Island Trading', 'Cowes', 'UK', NULL);
INSERT INTO Orders VALUES (10025, 'HUNGR', 6, '2023-02-27 17:39:00', '2023-03-27', '2023-03-06 17:00:00', 386.41, 'Hungry Owl All-Night Grocers', 'Cork', 'Ireland', NULL);
INSERT INTO Orders VALUES (10026, 'NORTH', 9, '2023-03-01 12:42:00', '2023-03-29', NULL, 297.83, 'North Sea Traders', 'Bergen', 'Norway', NULL);
INSERT INTO Orders VALUES (10027, 'ROMAF', 1, '2023-03-03 10:45:00', '2023-03-31', '2023-03-12 11:00:00', 207.93, 'Roma Formaggi', 'Bergamo', 'Italy', NULL);
INSERT INTO Orders VALUES (10028, 'OTTAW', 3, '2023-03-06 14:14:00', '2023-04-03', '2023-03-14 16:00:00', 95.74, 'Ottawa Valley Market', 'Ottawa', 'Canada', 'Customer called on the morning of the order about the last delivery:
two jars of the previous shipment arrived broken and one box was wet.
We agreed to replace the broken jars free of charge with this order
and to pack glass in double cartons from now on.
Please check the cartons before they leave the warehouse, and ask the driver
to have the customer sign for the number of boxes received.');
INSERT INTO Orders VALUES (10029, 'ISLAN', 6, '2023-03-08 09:54:00', '2023-04-05', '2023-03-15 15:00:00', 25.58, 'Island Trading', 'Cowes', 'UK', NULL);
INSERT INTO Orders VALUES (10030, 'SEVEN', 6, '2023-03-09 11:34:00', '2023-04-06', '2023-03-16 12:00:00', 227.49, 'Seven Seas Imports', 'London', 'UK', 'Part of the order was sent later:
Gingerbread Hearts
The rest followed a week after.');
INSERT INTO Orders VALUES (10031, 'LAKES', 5, '2023-03-10 08:57:00', '2023-04-07', '2023-03-16 13:00:00', 75.89, 'Great Lakes Food Market', 'Eugene', 'USA', NULL);
INSERT INTO Orders VALUES (10032, 'OBRIE', 6, '2023-03-13 13:09:00', '2023-04-10', '2023-03-24 14:00:00', 218.26, 'O''Brien & Sons Wholesale', 'Galway', 'Ireland', 'Part of the order was sent later:
Sun-dried Tomatoes
The rest followed a week after.');
INSERT INTO Orders VALUES (10033, 'CASAD', 5, '2023-03-16 08:56:00', '2023-04-13', '2023-03-22 08:00:00', 398.66, 'Casa del Sabor', 'Madrid', 'Spain', NULL);
INSERT INTO Orders VALUES (10034, 'ZENIT', 4, '2023-03-20 17:50:00', '2023-04-17', '2023-03-25 20:00:00', 167.52, 'Zenith Corner Shop', 'Toronto', 'Canada', NULL);
INSERT INTO Orders VALUES (10035, 'WELLI', 7, '2023-03-22 12:39:00', '2023-04-19', '2023-03-26 12:00:00', 293.27, 'Wellington Importadora', 'Resende', 'Brazil', NULL);
INSERT INTO Orders VALUES (10036, 'SAOPA', 2, '2023-03-24 13:23:00', '2023-04-21', '2023-03-27 13:00:00', 121.46, 'Empório São Paulo', 'São Paulo', 'Brazil', NULL);
INSERT INTO Orders VALUES (10037, 'PRAGU', 8, '2023-03-27 11:53:00', '2023-04-24', '2023-04-01 17:00:00', 328.15, 'Pražská lahůdka', 'Praha', 'Czech Republic', 'Part of the order was sent later:
Cured Ham
The rest followed a week after.');
INSERT INTO Orders VALUES (10038, 'ISLAN', 2, '2023-03-29 09:41:00', '2023-04-26', '2023-04-05 13:00:00', 51.04, 'Island Trading', 'Cowes', 'UK', NULL);
INSERT INTO Orders VALUES (10039, 'NORTH', 7, '2023-03-31 08:58:00', '2023-04-28', '2023-04-08 09:00:00', 398.02, 'North Sea Traders', 'Bergen', 'Norway', NULL);
INSERT INTO Orders VALUES (10040, 'FOLKO', 8, '2023-04-03 15:08:00', '2023-05-01', '2023-04-08 19:00:00', 440.30, 'Folk och fä HB', 'Bräcke', 'Sweden', NULL);
INSERT INTO Orders VALUES (10041, 'HELVE', 7, '2023-04-05 12:41:00', '2023-05-03', '2023-04-17 17:00:00', 198.95, 'Helvetia Käserei', 'Bern', 'Switzerland', 'Customer called on the morning of the order about the last delivery:
two jars of the previous shipment arrived broken and one box was wet.
We agreed to replace the broken jars free of charge with this order
and to pack glass in double cartons from now on.
Please check the cartons before they leave the warehouse, and ask the driver
to have the customer sign for the number of boxes received.');
INSERT INTO Orders VALUES (10042, 'BAKER', 5, '2023-04-06 10:36:00', '2023-05-04', '2023-04-12 14:00:00', 46.94, 'Baker Street Provisions', 'London', 'UK', 'Customer asked for an invoice in paper.');
INSERT INTO Orders VALUES (10043, 'LAKES', 8, '2023-04-10 09:46:00', '2023-05-08', '2023-04-11 09:00:00', 273.90, 'Great Lakes Food Market', 'Eugene', 'USA', NULL);
INSERT INTO Orders VALUES (10044, 'TOKYO', 1, '2023-04-11 16:47:00', '2023-05-09', '2023-04-18 16:00:00', 273.86, 'Tokyo Fine Foods', 'Tokyo', 'Japan', NULL);
INSERT INTO Orders VALUES (10045, 'BONAP', 1, '2023-04-12 08:22:00', '2023-05-10', '2023-04-13 14:00:00', 352.76, 'Bon appétit', 'Marseille', 'France', NULL);
INSERT INTO Orders VALUES (10046, 'GOURM', 4, '2023-04-14 09:32:00', '2023-05-12', '2023-04-23 10:00:00', 416.80, 'Gourmet Lanchonetes', 'Campinas', 'Brazil', NULL);
INSERT INTO Orders VALUES (10047, 'PRAGU', 4, '2023-04-17 09:42:00', '2023-05-15', '2023-04-22 11:00:00', 213.75, 'Pražská lahůdka', 'Praha', 'Czech Republic', NULL);
INSERT INTO Orders VALUES (10048, 'KONIG', 4, '2023-04-18 17:24:00', '2023-05-16', '2023-04-27 21:00:00', 38.32, 'Königlich Essen', 'Brandenburg', 'Germany', NULL);
INSERT INTO Orders VALUES (10049, 'RIVER', 4, '2023-04-20 09:54:00', '2023-05-18', '2023-04-29 15:00:00', 23.10, 'Riverside Grocers', 'Elgin', 'USA', NULL);
INSERT INTO Orders VALUES (10050, 'WELLI', 3, '2023-04-21 14:07:00', '2023-05-19', '2023-04-25 15:00:00', 224.04, 'Wellington Importadora', 'Resende', 'Brazil', NULL);
INSERT INTO Orders VALUES (10051, 'GOURM', 1, '2023-04-24 08:44:00', '2023-05-22', NULL, 147.39, 'Gourmet Lanchonetes', 'Campinas', 'Brazil', NULL);
INSERT INTO Orders VALUES (10052, 'SAOPA', 4, '2023-04-25 13:54:00', '2023-05-23', '2023-05-04 16:00:00', 210.67, 'Empório São Paulo', 'São Paulo', 'Brazil', NULL);
INSERT INTO Orders VALUES (10053, 'FOLKO', 9, '2023-04-26 10:05:00', '2023-05-24', '2023-04-28 10:00:00', 115.72, 'Folk och fä HB', 'Bräcke', 'Sweden', NULL);
INSERT INTO Orders VALUES (10054, 'PRAGU', 1, '2023-04-27 12:04:00', '2023-05-25', '2023-05-06 16:00:00', 103.40, 'Pražská lahůdka', 'Praha', 'Czech Republic', NULL);
INSERT INTO Orders VALUES (10055, 'HUNGR', 3, '2023-05-01 12:29:00', '2023-05-29', '2023-05-05 16:00:00', 23.94, 'Hungry Owl All-Night Grocers', 'Cork', 'Ireland', NULL);
INSERT INTO Orders VALUES (10056, 'MULLR', 2, '2023-05-03 09:53:00', '2023-05-31', '2023-05-06 10:00:00', 126.05, 'Müller Feinkost', 'Düsseldorf', 'Germany', NULL);
INSERT INTO Orders VALUES (10057, 'SEVEN', 8, '2023-05-05 11:11:00', '2023-06-02', '2023-05-14 15:00:00', 34.11, 'Seven Seas Imports', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10058, 'HUNGR', 7, '2023-05-08 12:28:00', '2023-06-05', '2023-05-16 13:00:00', 408.97, 'Hungry Owl All-Night Grocers', 'Cork', 'Ireland', NULL);
INSERT INTO Orders VALUES (10059, 'HUNGR', 5, '2023-05-09 08:31:00', '2023-06-06', '2023-05-19 12:00:00', 323.74, 'Hungry Owl All-Night Grocers', 'Cork', 'Ireland', NULL);
INSERT INTO Orders VALUES (10060, 'ISLAN', 4, '2023-05-11 15:21:00', '2023-06-08', '2023-05-12 21:00:00', 64.41, 'Island Trading', 'Cowes', 'UK', NULL);
INSERT INTO Orders VALUES (10061, 'PRAGU', 3, '2023-05-12 12:54:00', '2023-06-09', '2023-05-24 17:00:00', 4.88, 'Pražská lahůdka', 'Praha', 'Czech Republic', NULL);
INSERT INTO Orders VALUES (10062, 'HUNGR', 4, '2023-05-15 13:04:00', '2023-06-12', '2023-05-16 13:00:00', 119.17, 'Hungry Owl All-Night Grocers', 'Cork', 'Ireland', NULL);
INSERT INTO Orders VALUES (10063, 'HELVE', 4, '2023-05-18 11:38:00', '2023-06-15', '2023-05-19 13:00:00', 397.06, 'Helvetia Käserei', 'Bern', 'Switzerland', 'Part of the order was sent later:
Durum Spaghetti
The rest followed a week after.');
INSERT INTO Orders VALUES (10064, 'KONIG', 8, '2023-05-22 17:56:00', '2023-06-19', '2023-05-27 18:00:00', 382.75, 'Königlich Essen', 'Brandenburg', 'Germany', NULL);
INSERT INTO Orders VALUES (10065, 'KONIG', 6, '2023-05-23 13:52:00', '2023-06-20', '2023-05-30 16:00:00', 129.40, 'Königlich Essen', 'Brandenburg', 'Germany', NULL);
INSERT INTO Orders VALUES (10066, 'WARSZ', 6, '2023-05-25 17:12:00', '2023-06-22', '2023-06-01 17:00:00', 380.79, 'Delikatesy Łazienki', 'Warszawa', 'Poland', NULL);
INSERT INTO Orders VALUES (10067, 'ZENIT', 9, '2023-05-29 14:55:00', '2023-06-26', '2023-05-31 18:00:00', 138.16, 'Zenith Corner Shop', 'Toronto', 'Canada', NULL);
INSERT INTO Orders VALUES (10068, 'ROMAF', 2, '2023-05-30 11:39:00', '2023-06-27', '2023-06-10 13:00:00', 318.84, 'Roma Formaggi', 'Bergamo', 'Italy', NULL);
INSERT INTO Orders VALUES (10069, 'PRAGU', 2, '2023-05-31 11:39:00', '2023-06-28', '2023-06-07 11:00:00', 208.28, 'Pražská lahůdka', 'Praha', 'Czech Republic', 'Part of the order was sent later:
Salt Cod
The rest followed a week after.');
INSERT INTO Orders VALUES (10070, 'BAKER', 3, '2023-06-01 16:44:00', '2023-06-29', '2023-06-09 19:00:00', 208.65, 'Baker Street Provisions', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10071, 'KONIG', 1, '2023-06-05 14:39:00', '2023-07-03', NULL, 28.96, 'Königlich Essen', 'Brandenburg', 'Germany', NULL);
INSERT INTO Orders VALUES (10072, 'OTTAW', 5, '2023-06-07 16:42:00', '2023-07-05', '2023-06-09 20:00:00', 47.85, 'Ottawa Valley Market', 'Ottawa', 'Canada', NULL);
INSERT INTO Orders VALUES (10073, 'FOLKO', 4, '2023-06-09 09:16:00', '2023-07-07', '2023-06-14 14:00:00', 333.56, 'Folk och fä HB', 'Bräcke', 'Sweden', NULL);
INSERT INTO Orders VALUES (10074, 'WARSZ', 9, '2023-06-12 14:35:00', '2023-07-10', NULL, 430.59, 'Delikatesy Łazienki', 'Warszawa', 'Poland', NULL);
INSERT INTO Orders VALUES (10075, 'LAKES', 2, '2023-06-13 11:07:00', '2023-07-11', '2023-06-16 11:00:00', 402.49, 'Great Lakes Food Market', 'Eugene', 'USA', NULL);
INSERT INTO Orders VALUES (10076, 'ZENIT', 8, '2023-06-14 09:09:00', '2023-07-12', '2023-06-19 12:00:00', 111.59, 'Zenith Corner Shop', 'Toronto', 'Canada', 'Deliver to the back entrance.');
INSERT INTO Orders VALUES (10077, 'VAFFE', 4, '2023-06-16 17:47:00', '2023-07-14', '2023-06-17 19:00:00', 391.17, 'Vaffeljernet', 'Århus', 'Denmark', NULL);
INSERT INTO Orders VALUES (10078, 'GOURM', 7, '2023-06-19 10:16:00', '2023-07-17', '2023-06-23 12:00:00', 75.35, 'Gourmet Lanchonetes', 'Campinas', 'Brazil', NULL);
INSERT INTO Orders VALUES (10079, 'WELLI', 6, '2023-06-21 11:52:00', '2023-07-19', '2023-07-02 12:00:00', 349.23, 'Wellington Importadora', 'Resende', 'Brazil', NULL);
INSERT INTO Orders VALUES (10080, 'VAFFE', 3, '2023-06-22 16:17:00', '2023-07-20', '2023-06-26 22:00:00', 7.37, 'Vaffeljernet', 'Århus', 'Denmark', NULL);
INSERT INTO Orders VALUES (10081, 'NORTH', 6, '2023-06-26 13:21:00', '2023-07-24', '2023-07-03 16:00:00', 393.47, 'North Sea Traders', 'Bergen', 'Norway', NULL);
INSERT INTO Orders VALUES (10082, 'FOLKO', 9, '2023-06-28 16:36:00', '2023-07-26', '2023-07-04 22:00:00', 227.40, 'Folk och fä HB', 'Bräcke', 'Sweden', NULL);
INSERT INTO Orders VALUES (10083, 'WARSZ', 1, '2023-06-29 08:41:00', '2023-07-27', '2023-07-06 09:00:00', 417.73, 'Delikatesy Łazienki', 'Warszawa', 'Poland', NULL);
INSERT INTO Orders VALUES (10084, 'WARSZ', 6, '2023-07-03 11:21:00', '2023-07-31', '2023-07-14 16:00:00', 27.15, 'Delikatesy Łazienki', 'Warszawa', 'Poland', NULL);
INSERT INTO Orders VALUES (10085, 'OTTAW', 4, '2023-07-04 17:51:00', '2023-08-01', '2023-07-09 22:00:00', 100.64, 'Ottawa Valley Market', 'Ottawa', 'Canada', 'Deliver to the back entrance.');
INSERT INTO Orders VALUES (10086, 'ANTON', 1, '2023-07-05 08:04:00', '2023-08-02', NULL, 170.64, 'Antonio''s Taquería', 'México D.F.', 'Mexico', NULL);
INSERT INTO Orders VALUES (10087, 'ALPHA', 4, '2023-07-06 13:18:00', '2023-08-03', '2023-07-15 18:00:00', 76.78, 'Alpha Delicatessen', 'Berlin', 'Germany', NULL);
INSERT INTO Orders VALUES (10088, 'CASAD', 9, '2023-07-10 10:13:00', '2023-08-07', '2023-07-20 16:00:00', 72.96, 'Casa del Sabor', 'Madrid', 'Spain', NULL);
INSERT INTO Orders VALUES (10089, 'LAMAI', 9, '2023-07-11 10:00:00', '2023-08-08', '2023-07-17 14:00:00', 78.08, 'La maison d''Asie', 'Toulouse', 'France', 'Customer asked for an invoice in paper.');
INSERT INTO Orders VALUES (10090, 'MULLR', 3, '2023-07-13 08:53:00', '2023-08-10', '2023-07-17 10:00:00', 411.91, 'Müller Feinkost', 'Düsseldorf', 'Germany', NULL);
INSERT INTO Orders VALUES (10091, 'CASAD', 2, '2023-07-14 09:45:00', '2023-08-11', '2023-07-21 15:00:00', 128.49, 'Casa del Sabor', 'Madrid', 'Spain', NULL);
INSERT INTO Orders VALUES (10092, 'TOKYO', 9, '2023-07-17 10:00:00', '2023-08-14', '2023-07-19 13:00:00', 117.30, 'Tokyo Fine Foods', 'Tokyo', 'Japan', NULL);
INSERT INTO Orders VALUES (10093, 'PRAGU', 7, '2023-07-19 12:53:00', '2023-08-16', '2023-07-23 16:00:00', 135.65, 'Pražská lahůdka', 'Praha', 'Czech Republic', NULL);
INSERT INTO Orders VALUES (10094, 'BONAP', 6, '2023-07-20 11:01:00', '2023-08-17', '2023-07-23 11:00:00', 166.22, 'Bon appétit', 'Marseille', 'France', NULL);
INSERT INTO Orders VALUES (10095, 'QUICK', 5, '2023-07-21 10:32:00', '2023-08-18', '2023-07-23 15:00:00', 344.96, 'QUICK-Stop', 'Cunewalde', 'Germany', 'Customer called on the morning of the order about the last delivery:
two jars of the previous shipment arrived broken and one box was wet.
We agreed to replace the broken jars free of charge with this order
and to pack glass in double cartons from now on.
Please check the cartons before they leave the warehouse, and ask the driver
to have the customer sign for the number of boxes received.');
INSERT INTO Orders VALUES (10096, 'ALPHA', 4, '2023-07-24 09:14:00', '2023-08-21', '2023-07-25 11:00:00', 35.89, 'Alpha Delicatessen', 'Berlin', 'Germany', NULL);
INSERT INTO Orders VALUES (10097, 'VINED', 2, '2023-07-26 17:26:00', '2023-08-23', '2023-08-06 19:00:00', 115.61, 'Vins et alcools Dupont', 'Reims', 'France', 'Call before delivery.');
INSERT INTO Orders VALUES (10098, 'CASAD', 9, '2023-07-31 08:57:00', '2023-08-28', '2023-08-06 08:00:00', 438.41, 'Casa del Sabor', 'Madrid', 'Spain', 'Customer called on the morning of the order about the last delivery:
two jars of the previous shipment arrived broken and one box was wet.
We agreed to replace the broken jars free of charge with this order
and to pack glass in double cartons from now on.
Please check the cartons before they leave the warehouse, and ask the driver
to have the customer sign for the number of boxes received.');
INSERT INTO Orders VALUES (10099, 'LAKES', 2, '2023-08-01 15:57:00', '2023-08-29', '2023-08-08 21:00:00', 275.96, 'Great Lakes Food Market', 'Eugene', 'USA', NULL);
INSERT INTO Orders VALUES (10100, 'GOURM', 1, '2023-08-02 14:10:00', '2023-08-30', '2023-08-09 19:00:00', 189.16, 'Gourmet Lanchonetes', 'Campinas', 'Brazil', NULL);
INSERT INTO Orders VALUES (10101, 'FOLKO', 6, '2023-08-03 13:10:00', '2023-08-31', '2023-08-10 15:00:00', 348.00, 'Folk och fä HB', 'Bräcke', 'Sweden', NULL);
INSERT INTO Orders VALUES (10102, 'OBRIE', 3, '2023-08-07 16:35:00', '2023-09-04', NULL, 325.34, 'O''Brien & Sons Wholesale', 'Galway', 'Ireland', NULL);
INSERT INTO Orders VALUES (10103, 'OTTAW', 5, '2023-08-09 16:58:00', '2023-09-06', '2023-08-15 18:00:00', 116.66, 'Ottawa Valley Market', 'Ottawa', 'Canada', NULL);
INSERT INTO Orders VALUES (10104, 'ZENIT', 1, '2023-08-11 16:03:00', '2023-09-08', '2023-08-18 20:00:00', 180.99, 'Zenith Corner Shop', 'Toronto', 'Canada', NULL);
INSERT INTO Orders VALUES (10105, 'BONAP', 5, '2023-08-14 16:54:00', '2023-09-11', '2023-08-16 17:00:00', 17.13, 'Bon appétit', 'Marseille', 'France', NULL);
INSERT INTO Orders VALUES (10106, 'WELLI', 8, '2023-08-16 13:32:00', '2023-09-13', '2023-08-21 16:00:00', 101.58, 'Wellington Importadora', 'Resende', 'Brazil', 'Deliver to the back entrance.');
INSERT INTO Orders VALUES (10107, 'WELLI', 7, '2023-08-17 08:01:00', '2023-09-14', '2023-08-29 09:00:00', 393.90, 'Wellington Importadora', 'Resende', 'Brazil', NULL);
INSERT INTO Orders VALUES (10108, 'VAFFE', 5, '2023-08-18 16:40:00', '2023-09-15', '2023-08-28 16:00:00', 110.78, 'Vaffeljernet', 'Århus', 'Denmark', NULL);
INSERT INTO Orders VALUES (10109, 'VINED', 8, '2023-08-21 17:30:00', '2023-09-18', '2023-08-26 20:00:00', 115.47, 'Vins et alcools Dupont', 'Reims', 'France', NULL);
INSERT INTO Orders VALUES (10110, 'MULLR', 8, '2023-08-23 13:12:00', '2023-09-20', '2023-09-01 13:00:00', 5.26, 'Müller Feinkost', 'Düsseldorf', 'Germany', NULL);
INSERT INTO Orders VALUES (10111, 'MULLR', 7, '2023-08-24 16:37:00', '2023-09-21', '2023-09-01 17:00:00', 350.37, 'Müller Feinkost', 'Düsseldorf', 'Germany', NULL);
INSERT INTO Orders VALUES (10112, 'TOKYO', 1, '2023-08-25 10:28:00', '2023-09-22', '2023-09-03 14:00:00', 1.73, 'Tokyo Fine Foods', 'Tokyo', 'Japan', NULL);
INSERT INTO Orders VALUES (10113, 'ALPHA', 2, '2023-08-28 09:12:00', '2023-09-25', '2023-09-08 09:00:00', 449.78, 'Alpha Delicatessen', 'Berlin', 'Germany', 'Part of the order was sent later:
Salt Cod
The rest followed a week after.');
INSERT INTO Orders VALUES (10114, 'QUICK', 9, '2023-08-29 08:43:00', '2023-09-26', '2023-08-31 11:00:00', 292.06, 'QUICK-Stop', 'Cunewalde', 'Germany', NULL);
INSERT INTO Orders VALUES (10115, 'ISLAN', 2, '2023-08-30 17:23:00', '2023-09-27', '2023-09-02 21:00:00', 112.54, 'Island Trading', 'Cowes', 'UK', 'Call before delivery.');
INSERT INTO Orders VALUES (10116, 'HELVE', 2, '2023-09-01 09:39:00', '2023-09-29', '2023-09-12 13:00:00', 280.64, 'Helvetia Käserei', 'Bern', 'Switzerland', NULL);
INSERT INTO Orders VALUES (10117, 'FOLKO', 2, '2023-09-04 11:31:00', '2023-10-02', '2023-09-15 15:00:00', 305.19, 'Folk och fä HB', 'Bräcke', 'Sweden', NULL);
INSERT INTO Orders VALUES (10118, 'BAKER', 1, '2023-09-06 16:48:00', '2023-10-04', '2023-09-13 20:00:00', 326.06, 'Baker Street Provisions', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10119, 'SEVEN', 4, '2023-09-08 15:02:00', '2023-10-06', '2023-09-13 18:00:00', 343.99, 'Seven Seas Imports', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10120, 'SYDNE', 9, '2023-09-11 12:09:00', '2023-10-09', '2023-09-17 14:00:00', 29.56, 'Sydney Harbour Imports', 'Sydney', 'Australia', NULL);
INSERT INTO Orders VALUES (10121, 'FOLKO', 9, '2023-09-13 12:40:00', '2023-10-11', '2023-09-15 14:00:00', 366.67, 'Folk och fä HB', 'Bräcke', 'Sweden', NULL);
INSERT INTO Orders VALUES (10122, 'ANTON', 4, '2023-09-14 11:26:00', '2023-10-12', '2023-09-15 15:00:00', 272.70, 'Antonio''s Taquería', 'México D.F.', 'Mexico', NULL);
INSERT INTO Orders VALUES (10123, 'CASAD', 2, '2023-09-15 15:18:00', '2023-10-13', '2023-09-26 18:00:00', 180.64, 'Casa del Sabor', 'Madrid', 'Spain', NULL);
INSERT INTO Orders VALUES (10124, 'ALPHA', 9, '2023-09-18 12:33:00', '2023-10-16', '2023-09-28 12:00:00', 121.44, 'Alpha Delicatessen', 'Berlin', 'Germany', 'Customer called on the morning of the order about the last delivery:
two jars of the previous shipment arrived broken and one box was wet.
We agreed to replace the broken jars free of charge with this order
and to pack glass in double cartons from now on.
Please check the cartons before they leave the warehouse, and ask the driver
to have the customer sign for the number of boxes received.');
INSERT INTO Orders VALUES (10125, 'CASAD', 1, '2023-09-20 14:30:00', '2023-10-18', '2023-09-27 15:00:00', 22.65, 'Casa del Sabor', 'Madrid', 'Spain', 'Part of the order was sent later:
Sun-dried Tomatoes
The rest followed a week after.');
INSERT INTO Orders VALUES (10126, 'RIVER', 5, '2023-09-22 12:29:00', '2023-10-20', NULL, 420.34, 'Riverside Grocers', 'Elgin', 'USA', NULL);
INSERT INTO Orders VALUES (10127, 'FOLKO', 6, '2023-09-25 11:53:00', '2023-10-23', '2023-09-28 15:00:00', 318.57, 'Folk och fä HB', 'Bräcke', 'Sweden', NULL);
INSERT INTO Orders VALUES (10128, 'SEVEN', 4, '2023-09-27 09:43:00', '2023-10-25', '2023-09-28 10:00:00', 288.44, 'Seven Seas Imports', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10129, 'WELLI', 7, '2023-09-28 16:28:00', '2023-10-26', '2023-10-10 17:00:00', 271.35, 'Wellington Importadora', 'Resende', 'Brazil', 'Customer called on the morning of the order about the last delivery:
two jars of the previous shipment arrived broken and one box was wet.
We agreed to replace the broken jars free of charge with this order
and to pack glass in double cartons from now on.
Please check the cartons before they leave the warehouse, and ask the driver
to have the customer sign for the number of boxes received.');
INSERT INTO Orders VALUES (10130, 'BONAP', 6, '2023-10-02 09:40:00', '2023-10-30', '2023-10-05 10:00:00', 351.05, 'Bon appétit', 'Marseille', 'France', NULL);
INSERT INTO Orders VALUES (10131, 'HUNGR', 6, '2023-10-03 11:24:00', '2023-10-31', '2023-10-10 11:00:00', 227.22, 'Hungry Owl All-Night Grocers', 'Cork', 'Ireland', NULL);
INSERT INTO Orders VALUES (10132, 'ZENIT', 4, '2023-10-04 11:34:00', '2023-11-01', '2023-10-05 13:00:00', 323.49, 'Zenith Corner Shop', 'Toronto', 'Canada', NULL);
INSERT INTO Orders VALUES (10133, 'ROMAF', 7, '2023-10-05 10:55:00', '2023-11-02', '2023-10-17 13:00:00', 433.72, 'Roma Formaggi', 'Bergamo', 'Italy', 'Fragile: glass jars.');
INSERT INTO Orders VALUES (10134, 'HELVE', 2, '2023-10-06 15:39:00', '2023-11-03', '2023-10-17 16:00:00', 59.30, 'Helvetia Käserei', 'Bern', 'Switzerland', NULL);
INSERT INTO Orders VALUES (10135, 'ZENIT', 2, '2023-10-09 13:39:00', '2023-11-06', '2023-10-20 19:00:00', 408.25, 'Zenith Corner Shop', 'Toronto', 'Canada', NULL);
INSERT INTO Orders VALUES (10136, 'KONIG', 8, '2023-10-11 13:17:00', '2023-11-08', '2023-10-20 16:00:00', 385.90, 'Königlich Essen', 'Brandenburg', 'Germany', NULL);
INSERT INTO Orders VALUES (10137, 'MULLR', 7, '2023-10-12 08:18:00', '2023-11-09', '2023-10-24 13:00:00', 136.71, 'Müller Feinkost', 'Düsseldorf', 'Germany', NULL);
INSERT INTO Orders VALUES (10138, 'BONAP', 6, '2023-10-16 17:06:00', '2023-11-13', '2023-10-19 19:00:00', 304.67, 'Bon appétit', 'Marseille', 'France', NULL);
INSERT INTO Orders VALUES (10139, 'QUICK', 4, '2023-10-17 13:40:00', '2023-11-14', '2023-10-18 17:00:00', 270.57, 'QUICK-Stop', 'Cunewalde', 'Germany', NULL);
INSERT INTO Orders VALUES (10140, 'WARSZ', 3, '2023-10-19 12:09:00', '2023-11-16', '2023-10-31 18:00:00', 141.72, 'Delikatesy Łazienki', 'Warszawa', 'Poland', NULL);
INSERT INTO Orders VALUES (10141, 'NORTH', 2, '2023-10-23 09:13:00', '2023-11-20', '2023-11-03 15:00:00', 296.38, 'North Sea Traders', 'Bergen', 'Norway', NULL);
INSERT INTO Orders VALUES (10142, 'PRAGU', 9, '2023-10-24 10:08:00', '2023-11-21', '2023-11-03 11:00:00', 109.27, 'Pražská lahůdka', 'Praha', 'Czech Republic', 'Customer asked for an invoice in paper.');
INSERT INTO Orders VALUES (10143, 'PRAGU', 4, '2023-10-26 15:22:00', '2023-11-23', '2023-10-27 20:00:00', 267.70, 'Pražská lahůdka', 'Praha', 'Czech Republic', NULL);
INSERT INTO Orders VALUES (10144, 'ALPHA', 9, '2023-10-30 12:49:00', '2023-11-27', '2023-11-01 16:00:00', 260.23, 'Alpha Delicatessen', 'Berlin', 'Germany', NULL);
INSERT INTO Orders VALUES (10145, 'WELLI', 7, '2023-11-01 10:26:00', '2023-11-29', '2023-11-05 13:00:00', 9.09, 'Wellington Importadora', 'Resende', 'Brazil', NULL);
INSERT INTO Orders VALUES (10146, 'OBRIE', 5, '2023-11-02 12:17:00', '2023-11-30', '2023-11-04 16:00:00', 106.59, 'O''Brien & Sons Wholesale', 'Galway', 'Ireland', 'Customer asked for an invoice in paper.');
INSERT INTO Orders VALUES (10147, 'VINED', 5, '2023-11-06 14:28:00', '2023-12-04', '2023-11-12 19:00:00', 133.02, 'Vins et alcools Dupont', 'Reims', 'France', NULL);
INSERT INTO Orders VALUES (10148, 'VINED', 5, '2023-11-08 14:31:00', '2023-12-06', '2023-11-10 20:00:00', 213.38, 'Vins et alcools Dupont', 'Reims', 'France', NULL);
INSERT INTO Orders VALUES (10149, 'WARSZ', 4, '2023-11-09 09:17:00', '2023-12-07', '2023-11-18 10:00:00', 417.40, 'Delikatesy Łazienki', 'Warszawa', 'Poland', NULL);
INSERT INTO Orders VALUES (10150, 'WELLI', 3, '2023-11-10 12:46:00', '2023-12-08', '2023-11-22 15:00:00', 313.71, 'Wellington Importadora', 'Resende', 'Brazil', NULL);
INSERT INTO Orders VALUES (10151, 'ZENIT', 6, '2023-11-13 13:58:00', '2023-12-11', '2023-11-16 15:00:00', 205.60, 'Zenith Corner Shop', 'Toronto', 'Canada', NULL);
INSERT INTO Orders VALUES (10152, 'LAMAI', 3, '2023-11-14 08:51:00', '2023-12-12', '2023-11-22 12:00:00', 44.00, 'La maison d''Asie', 'Toulouse', 'France', NULL);
INSERT INTO Orders VALUES (10153, 'LAMAI', 6, '2023-11-16 17:19:00', '2023-12-14', '2023-11-27 17:00:00', 420.68, 'La maison d''Asie', 'Toulouse', 'France', NULL);
INSERT INTO Orders VALUES (10154, 'SYDNE', 4, '2023-11-20 09:29:00', '2023-12-18', '2023-11-25 09:00:00', 305.20, 'Sydney Harbour Imports', 'Sydney', 'Australia', NULL);
INSERT INTO Orders VALUES (10155, 'GOURM', 7, '2023-11-21 08:10:00', '2023-12-19', NULL, 101.90, 'Gourmet Lanchonetes', 'Campinas', 'Brazil', 'Customer called on the morning of the order about the last delivery:
two jars of the previous shipment arrived broken and one box was wet.
We agreed to replace the broken jars free of charge with this order
and to pack glass in double cartons from now on.
Please check the cartons before they leave the warehouse, and ask the driver
to have the customer sign for the number of boxes received.');
INSERT INTO Orders VALUES (10156, 'SAOPA', 9, '2023-11-23 16:05:00', '2023-12-21', '2023-12-03 19:00:00', 234.88, 'Empório São Paulo', 'São Paulo', 'Brazil', NULL);
INSERT INTO Orders VALUES (10157, 'BONAP', 7, '2023-11-27 08:26:00', '2023-12-25', '2023-12-05 14:00:00', 165.56, 'Bon appétit', 'Marseille', 'France', NULL);
INSERT INTO Orders VALUES (10158, 'VAFFE', 7, '2023-11-28 12:07:00', '2023-12-26', '2023-12-10 15:00:00', 320.89, 'Vaffeljernet', 'Århus', 'Denmark', 'Fragile: glass jars.');
INSERT INTO Orders VALUES (10159, 'RIVER', 2, '2023-11-30 13:55:00', '2023-12-28', '2023-12-03 13:00:00', 421.64, 'Riverside Grocers', 'Elgin', 'USA', NULL);
INSERT INTO Orders VALUES (10160, 'ALPHA', 5, '2023-12-04 14:06:00', '2024-01-01', '2023-12-06 18:00:00', 215.91, 'Alpha Delicatessen', 'Berlin', 'Germany', NULL);
INSERT INTO Orders VALUES (10161, 'LAKES', 3, '2023-12-05 16:51:00', '2024-01-02', '2023-12-13 22:00:00', 93.79, 'Great Lakes Food Market', 'Eugene', 'USA', 'Fragile: glass jars.');
INSERT INTO Orders VALUES (10162, 'RIVER', 8, '2023-12-07 17:33:00', '2024-01-04', '2023-12-08 17:00:00', 337.09, 'Riverside Grocers', 'Elgin', 'USA', NULL);
INSERT INTO Orders VALUES (10163, 'GOURM', 6, '2023-12-11 11:05:00', '2024-01-08', '2023-12-22 13:00:00', 312.37, 'Gourmet Lanchonetes', 'Campinas', 'Brazil', NULL);
INSERT INTO Orders VALUES (10164, 'BONAP', 4, '2023-12-13 09:43:00', '2024-01-10', '2023-12-14 11:00:00', 447.41, 'Bon appétit', 'Marseille', 'France', NULL);
INSERT INTO Orders VALUES (10165, 'OBRIE', 1, '2023-12-15 14:08:00', '2024-01-12', '2023-12-26 19:00:00', 199.78, 'O''Brien & Sons Wholesale', 'Galway', 'Ireland', NULL);
INSERT INTO Orders VALUES (10166, 'BAKER', 8, '2023-12-18 09:54:00', '2024-01-15', '2023-12-23 15:00:00', 138.68, 'Baker Street Provisions', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10167, 'CASAD', 8, '2023-12-19 11:56:00', '2024-01-16', '2023-12-28 15:00:00', 258.96, 'Casa del Sabor', 'Madrid', 'Spain', NULL);
INSERT INTO Orders VALUES (10168, 'SAOPA', 7, '2023-12-20 08:09:00', '2024-01-17', '2023-12-28 11:00:00', 8.86, 'Empório São Paulo', 'São Paulo', 'Brazil', NULL);
INSERT INTO Orders VALUES (10169, 'GOURM', 8, '2023-12-22 15:03:00', '2024-01-19', '2023-12-23 21:00:00', 266.01, 'Gourmet Lanchonetes', 'Campinas', 'Brazil', NULL);
INSERT INTO Orders VALUES (10170, 'FOLKO', 3, '2023-12-25 10:52:00', '2024-01-22', '2024-01-06 12:00:00', 220.28, 'Folk och fä HB', 'Bräcke', 'Sweden', NULL);
INSERT INTO Orders VALUES (10171, 'BAKER', 4, '2023-12-27 09:22:00', '2024-01-24', '2024-01-01 09:00:00', 187.48, 'Baker Street Provisions', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10172, 'WELLI', 7, '2023-12-28 12:59:00', '2024-01-25', '2024-01-05 14:00:00', 381.25, 'Wellington Importadora', 'Resende', 'Brazil', NULL);
INSERT INTO Orders VALUES (10173, 'ALPHA', 8, '2024-01-01 15:17:00', '2024-01-29', '2024-01-02 18:00:00', 146.20, 'Alpha Delicatessen', 'Berlin', 'Germany', NULL);
INSERT INTO Orders VALUES (10174, 'BONAP', 6, '2024-01-03 17:37:00', '2024-01-31', '2024-01-14 19:00:00', 191.18, 'Bon appétit', 'Marseille', 'France', NULL);
INSERT INTO Orders VALUES (10175, 'ANTON', 5, '2024-01-04 14:40:00', '2024-02-01', '2024-01-14 18:00:00', 145.87, 'Antonio''s Taquería', 'México D.F.', 'Mexico', NULL);
INSERT INTO Orders VALUES (10176, 'BAKER', 4, '2024-01-08 13:30:00', '2024-02-05', '2024-01-17 13:00:00', 53.66, 'Baker Street Provisions', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10177, 'WARSZ', 2, '2024-01-09 17:22:00', '2024-02-06', '2024-01-12 21:00:00', 407.48, 'Delikatesy Łazienki', 'Warszawa', 'Poland', NULL);
INSERT INTO Orders VALUES (10178, 'QUICK', 8, '2024-01-12 15:16:00', '2024-02-09', '2024-01-21 20:00:00', 364.05, 'QUICK-Stop', 'Cunewalde', 'Germany', NULL);
INSERT INTO Orders VALUES (10179, 'LAMAI', 5, '2024-01-15 12:51:00', '2024-02-12', '2024-01-25 12:00:00', 381.87, 'La maison d''Asie', 'Toulouse', 'France', NULL);
INSERT INTO Orders VALUES (10180, 'QUICK', 4, '2024-01-17 17:05:00', '2024-02-14', '2024-01-26 22:00:00', 91.70, 'QUICK-Stop', 'Cunewalde', 'Germany', 'Part of the order was sent later:
Durum Spaghetti
The rest followed a week after.');
INSERT INTO Orders VALUES (10181, 'RIVER', 8, '2024-01-19 17:35:00', '2024-02-16', '2024-01-24 23:00:00', 88.34, 'Riverside Grocers', 'Elgin', 'USA', NULL);
INSERT INTO Orders VALUES (10182, 'LAMAI', 8, '2024-01-22 17:21:00', '2024-02-19', '2024-01-27 17:00:00', 439.23, 'La maison d''Asie', 'Toulouse', 'France', NULL);
INSERT INTO Orders VALUES (10183, 'GOURM', 5, '2024-01-25 10:56:00', '2024-02-22', '2024-01-31 16:00:00', 207.07, 'Gourmet Lanchonetes', 'Campinas', 'Brazil', NULL);
INSERT INTO Orders VALUES (10184, 'FOLKO', 5, '2024-01-26 08:39:00', '2024-02-23', '2024-02-01 13:00:00', 150.73, 'Folk och fä HB', 'Bräcke', 'Sweden', NULL);
INSERT INTO Orders VALUES (10185, 'VINED', 4, '2024-01-29 11:01:00', '2024-02-26', '2024-02-07 12:00:00', 247.13, 'Vins et alcools Dupont', 'Reims', 'France', 'Deliver to the back entrance.');
INSERT INTO Orders VALUES (10186, 'LAMAI', 1, '2024-01-30 14:08:00', '2024-02-27', '2024-02-04 19:00:00', 22.51, 'La maison d''Asie', 'Toulouse', 'France', NULL);
INSERT INTO Orders VALUES (10187, 'ALPHA', 7, '2024-02-01 16:05:00', '2024-02-29', '2024-02-09 20:00:00', 411.03, 'Alpha Delicatessen', 'Berlin', 'Germany', NULL);
INSERT INTO Orders VALUES (10188, 'PRAGU', 2, '2024-02-05 09:05:00', '2024-03-04', '2024-02-16 10:00:00', 439.00, 'Pražská lahůdka', 'Praha', 'Czech Republic', NULL);
INSERT INTO Orders VALUES (10189, 'ZENIT', 7, '2024-02-07 12:38:00', '2024-03-06', '2024-02-15 17:00:00', 73.14, 'Zenith Corner Shop', 'Toronto', 'Canada', NULL);
INSERT INTO Orders VALUES (10190, 'ISLAN', 8, '2024-02-08 15:04:00', '2024-03-07', '2024-02-17 20:00:00', 122.61, 'Island Trading', 'Cowes', 'UK', NULL);
INSERT INTO Orders VALUES (10191, 'WARSZ', 5, '2024-02-09 14:51:00', '2024-03-08', '2024-02-19 19:00:00', 257.86, 'Delikatesy Łazienki', 'Warszawa', 'Poland', 'Customer asked for an invoice in paper.');
INSERT INTO Orders VALUES (10192, 'HUNGR', 1, '2024-02-12 14:34:00', '2024-03-11', '2024-02-21 14:00:00', 177.56, 'Hungry Owl All-Night Grocers', 'Cork', 'Ireland', NULL);
INSERT INTO Orders VALUES (10193, 'ROMAF', 4, '2024-02-15 11:12:00', '2024-03-14', '2024-02-16 11:00:00', 419.99, 'Roma Formaggi', 'Bergamo', 'Italy', 'Deliver to the back entrance.');
INSERT INTO Orders VALUES (10194, 'BONAP', 5, '2024-02-16 08:39:00', '2024-03-15', '2024-02-26 13:00:00', 68.13, 'Bon appétit', 'Marseille', 'France', 'Customer asked for an invoice in paper.');
INSERT INTO Orders VALUES (10195, 'HELVE', 5, '2024-02-19 10:18:00', '2024-03-18', '2024-02-25 10:00:00', 252.72, 'Helvetia Käserei', 'Bern', 'Switzerland', NULL);
INSERT INTO Orders VALUES (10196, 'ALPHA', 8, '2024-02-21 11:24:00', '2024-03-20', '2024-02-26 16:00:00', 331.12, 'Alpha Delicatessen', 'Berlin', 'Germany', NULL);
INSERT INTO Orders VALUES (10197, 'VAFFE', 6, '2024-02-23 09:44:00', '2024-03-22', '2024-03-01 10:00:00', 360.50, 'Vaffeljernet', 'Århus', 'Denmark', NULL);
INSERT INTO Orders VALUES (10198, 'SEVEN', 3, '2024-02-26 10:33:00', '2024-03-25', '2024-03-09 13:00:00', 139.22, 'Seven Seas Imports', 'London', 'UK', 'Customer called on the morning of the order about the last delivery:
two jars of the previous shipment arrived broken and one box was wet.
We agreed to replace the broken jars free of charge with this order
and to pack glass in double cartons from now on.
Please check the cartons before they leave the warehouse, and ask the driver
to have the customer sign for the number of boxes received.');
INSERT INTO Orders VALUES (10199, 'ROMAF', 2, '2024-02-27 15:17:00', '2024-03-26', '2024-03-01 20:00:00', 379.15, 'Roma Formaggi', 'Bergamo', 'Italy', NULL);
INSERT INTO Orders VALUES (10200, 'OTTAW', 2, '2024-02-29 09:01:00', '2024-03-28', '2024-03-11 10:00:00', 66.09, 'Ottawa Valley Market', 'Ottawa', 'Canada', NULL);
INSERT INTO Orders VALUES (10201, 'QUICK', 2, '2024-03-01 11:09:00', '2024-03-29', '2024-03-04 13:00:00', 74.54, 'QUICK-Stop', 'Cunewalde', 'Germany', 'Call before delivery.');
INSERT INTO Orders VALUES (10202, 'BONAP', 9, '2024-03-04 08:24:00', '2024-04-01', '2024-03-14 11:00:00', 111.62, 'Bon appétit', 'Marseille', 'France', NULL);
INSERT INTO Orders VALUES (10203, 'SEVEN', 4, '2024-03-06 09:46:00', '2024-04-03', '2024-03-07 15:00:00', 192.14, 'Seven Seas Imports', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10204, 'MULLR', 9, '2024-03-07 16:53:00', '2024-04-04', '2024-03-13 22:00:00', 6.30, 'Müller Feinkost', 'Düsseldorf', 'Germany', NULL);
INSERT INTO Orders VALUES (10205, 'TOKYO', 4, '2024-03-11 09:11:00', '2024-04-08', '2024-03-12 13:00:00', 74.98, 'Tokyo Fine Foods', 'Tokyo', 'Japan', NULL);
INSERT INTO Orders VALUES (10206, 'OBRIE', 9, '2024-03-12 12:34:00', '2024-04-09', '2024-03-18 14:00:00', 275.31, 'O''Brien & Sons Wholesale', 'Galway', 'Ireland', NULL);
INSERT INTO Orders VALUES (10207, 'SEVEN', 8, '2024-03-14 09:04:00', '2024-04-11', '2024-03-23 09:00:00', 148.68, 'Seven Seas Imports', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10208, 'KONIG', 5, '2024-03-15 10:23:00', '2024-04-12', NULL, 96.82, 'Königlich Essen', 'Brandenburg', 'Germany', NULL);
INSERT INTO Orders VALUES (10209, 'FOLKO', 8, '2024-03-18 15:13:00', '2024-04-15', '2024-03-27 19:00:00', 164.31, 'Folk och fä HB', 'Bräcke', 'Sweden', NULL);
INSERT INTO Orders VALUES (10210, 'RIVER', 3, '2024-03-19 10:38:00', '2024-04-16', '2024-03-27 12:00:00', 322.55, 'Riverside Grocers', 'Elgin', 'USA', NULL);
INSERT INTO Orders VALUES (10211, 'ALPHA', 2, '2024-03-21 09:22:00', '2024-04-18', '2024-04-01 13:00:00', 254.12, 'Alpha Delicatessen', 'Berlin', 'Germany', NULL);
INSERT INTO Orders VALUES (10212, 'TOKYO', 2, '2024-03-22 15:42:00', '2024-04-19', '2024-03-25 20:00:00', 208.26, 'Tokyo Fine Foods', 'Tokyo', 'Japan', NULL);
INSERT INTO Orders VALUES (10213, 'NORTH', 1, '2024-03-25 16:27:00', '2024-04-22', '2024-04-05 16:00:00', 210.95, 'North Sea Traders', 'Bergen', 'Norway', 'Part of the order was sent later:
Gingerbread Hearts
The rest followed a week after.');
INSERT INTO Orders VALUES (10214, 'WELLI', 6, '2024-03-26 15:15:00', '2024-04-23', '2024-04-06 16:00:00', 197.67, 'Wellington Importadora', 'Resende', 'Brazil', NULL);
INSERT INTO Orders VALUES (10215, 'WARSZ', 3, '2024-03-27 12:44:00', '2024-04-24', '2024-03-31 14:00:00', 413.28, 'Delikatesy Łazienki', 'Warszawa', 'Poland', NULL);
INSERT INTO Orders VALUES (10216, 'OTTAW', 2, '2024-03-28 15:16:00', '2024-04-25', '2024-04-04 18:00:00', 123.37, 'Ottawa Valley Market', 'Ottawa', 'Canada', NULL);
INSERT INTO Orders VALUES (10217, 'SAOPA', 9, '2024-03-29 08:07:00', '2024-04-26', '2024-04-04 09:00:00', 358.28, 'Empório São Paulo', 'São Paulo', 'Brazil', NULL);
INSERT INTO Orders VALUES (10218, 'LAKES', 2, '2024-04-01 13:11:00', '2024-04-29', NULL, 269.36, 'Great Lakes Food Market', 'Eugene', 'USA', NULL);
INSERT INTO Orders VALUES (10219, 'ROMAF', 4, '2024-04-02 13:37:00', '2024-04-30', '2024-04-07 16:00:00', 273.49, 'Roma Formaggi', 'Bergamo', 'Italy', NULL);
INSERT INTO Orders VALUES (10220, 'SEVEN', 9, '2024-04-04 10:24:00', '2024-05-02', '2024-04-10 15:00:00', 228.40, 'Seven Seas Imports', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10221, 'WARSZ', 4, '2024-04-08 17:38:00', '2024-05-06', '2024-04-17 21:00:00', 62.48, 'Delikatesy Łazienki', 'Warszawa', 'Poland', NULL);
INSERT INTO Orders VALUES (10222, 'GOURM', 7, '2024-04-10 12:07:00', '2024-05-08', '2024-04-14 14:00:00', 255.57, 'Gourmet Lanchonetes', 'Campinas', 'Brazil', NULL);
INSERT INTO Orders VALUES (10223, 'VINED', 5, '2024-04-12 14:54:00', '2024-05-10', '2024-04-14 20:00:00', 88.17, 'Vins et alcools Dupont', 'Reims', 'France', NULL);
INSERT INTO Orders VALUES (10224, 'ROMAF', 5, '2024-04-15 08:45:00', '2024-05-13', '2024-04-17 10:00:00', 285.40, 'Roma Formaggi', 'Bergamo', 'Italy', NULL);
INSERT INTO Orders VALUES (10225, 'SYDNE', 8, '2024-04-16 17:55:00', '2024-05-14', '2024-04-17 22:00:00', 20.14, 'Sydney Harbour Imports', 'Sydney', 'Australia', NULL);
INSERT INTO Orders VALUES (10226, 'ZENIT', 6, '2024-04-18 13:27:00', '2024-05-16', '2024-04-29 19:00:00', 296.96, 'Zenith Corner Shop', 'Toronto', 'Canada', NULL);
INSERT INTO Orders VALUES (10227, 'LAKES', 4, '2024-04-22 09:37:00', '2024-05-20', '2024-04-23 10:00:00', 416.92, 'Great Lakes Food Market', 'Eugene', 'USA', NULL);
INSERT INTO Orders VALUES (10228, 'WELLI', 7, '2024-04-23 14:30:00', '2024-05-21', '2024-05-01 14:00:00', 203.78, 'Wellington Importadora', 'Resende', 'Brazil', NULL);
INSERT INTO Orders VALUES (10229, 'SYDNE', 6, '2024-04-24 13:26:00', '2024-05-22', '2024-05-01 19:00:00', 147.67, 'Sydney Harbour Imports', 'Sydney', 'Australia', 'Call before delivery.');
INSERT INTO Orders VALUES (10230, 'HUNGR', 2, '2024-04-25 11:46:00', '2024-05-23', '2024-05-06 16:00:00', 180.51, 'Hungry Owl All-Night Grocers', 'Cork', 'Ireland', NULL);
INSERT INTO Orders VALUES (10231, 'SEVEN', 1, '2024-04-26 14:15:00', '2024-05-24', '2024-04-29 20:00:00', 146.48, 'Seven Seas Imports', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10232, 'CASAD', 6, '2024-04-29 15:43:00', '2024-05-27', '2024-05-02 17:00:00', 121.28, 'Casa del Sabor', 'Madrid', 'Spain', NULL);
INSERT INTO Orders VALUES (10233, 'WELLI', 5, '2024-05-01 14:58:00', '2024-05-29', '2024-05-11 20:00:00', 275.51, 'Wellington Importadora', 'Resende', 'Brazil', NULL);
INSERT INTO Orders VALUES (10234, 'LAKES', 3, '2024-05-02 14:59:00', '2024-05-30', '2024-05-10 19:00:00', 430.28, 'Great Lakes Food Market', 'Eugene', 'USA', NULL);
INSERT INTO Orders VALUES (10235, 'HUNGR', 3, '2024-05-06 10:48:00', '2024-06-03', '2024-05-10 15:00:00', 91.60, 'Hungry Owl All-Night Grocers', 'Cork', 'Ireland', 'Customer called on the morning of the order about the last delivery:
two jars of the previous shipment arrived broken and one box was wet.
We agreed to replace the broken jars free of charge with this order
and to pack glass in double cartons from now on.
Please check the cartons before they leave the warehouse, and ask the driver
to have the customer sign for the number of boxes received.');
INSERT INTO Orders VALUES (10236, 'SEVEN', 4, '2024-05-08 09:14:00', '2024-06-05', '2024-05-13 12:00:00', 334.54, 'Seven Seas Imports', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10237, 'NORTH', 2, '2024-05-09 17:34:00', '2024-06-06', NULL, 7.90, 'North Sea Traders', 'Bergen', 'Norway', 'Part of the order was sent later:
Durum Spaghetti
The rest followed a week after.');
INSERT INTO Orders VALUES (10238, 'HELVE', 4, '2024-05-13 09:08:00', '2024-06-10', NULL, 107.84, 'Helvetia Käserei', 'Bern', 'Switzerland', 'Part of the order was sent later:
Smoked Paprika
The rest followed a week after.');
INSERT INTO Orders VALUES (10239, 'ALPHA', 7, '2024-05-15 14:29:00', '2024-06-12', '2024-05-23 15:00:00', 315.63, 'Alpha Delicatessen', 'Berlin', 'Germany', NULL);
INSERT INTO Orders VALUES (10240, 'VAFFE', 2, '2024-05-17 15:05:00', '2024-06-14', '2024-05-20 20:00:00', 303.75, 'Vaffeljernet', 'Århus', 'Denmark', NULL);
INSERT INTO Orders VALUES (10241, 'OBRIE', 8, '2024-05-20 09:51:00', '2024-06-17', '2024-05-21 10:00:00', 331.67, 'O''Brien & Sons Wholesale', 'Galway', 'Ireland', NULL);
INSERT INTO Orders VALUES (10242, 'ANTON', 6, '2024-05-22 15:19:00', '2024-06-19', '2024-05-29 16:00:00', 322.79, 'Antonio''s Taquería', 'México D.F.', 'Mexico', NULL);
INSERT INTO Orders VALUES (10243, 'MULLR', 9, '2024-05-27 12:54:00', '2024-06-24', '2024-06-02 13:00:00', 198.95, 'Müller Feinkost', 'Düsseldorf', 'Germany', NULL);
INSERT INTO Orders VALUES (10244, 'VINED', 8, '2024-05-28 17:24:00', '2024-06-25', '2024-05-29 23:00:00', 12.05, 'Vins et alcools Dupont', 'Reims', 'France', NULL);
INSERT INTO Orders VALUES (10245, 'MULLR', 8, '2024-05-29 15:34:00', '2024-06-26', '2024-06-03 18:00:00', 255.23, 'Müller Feinkost', 'Düsseldorf', 'Germany', NULL);
INSERT INTO Orders VALUES (10246, 'LAKES', 7, '2024-05-31 12:07:00', '2024-06-28', '2024-06-12 16:00:00', 351.19, 'Great Lakes Food Market', 'Eugene', 'USA', NULL);
INSERT INTO Orders VALUES (10247, 'WARSZ', 5, '2024-06-03 12:10:00', '2024-07-01', '2024-06-13 15:00:00', 292.16, 'Delikatesy Łazienki', 'Warszawa', 'Poland', NULL);
INSERT INTO Orders VALUES (10248, 'SEVEN', 6, '2024-06-04 09:50:00', '2024-07-02', '2024-06-15 15:00:00', 37.76, 'Seven Seas Imports', 'London', 'UK', 'Part of the order was sent later:
Sun-dried Tomatoes
The rest followed a week after.');
INSERT INTO Orders VALUES (10249, 'TOKYO', 2, '2024-06-06 11:14:00', '2024-07-04', '2024-06-09 11:00:00', 338.98, 'Tokyo Fine Foods', 'Tokyo', 'Japan', 'Part of the order was sent later:
Spiced Sausage
The rest followed a week after.');
INSERT INTO Orders VALUES (10250, 'VINED', 4, '2024-06-07 13:40:00', '2024-07-05', '2024-06-16 15:00:00', 143.74, 'Vins et alcools Dupont', 'Reims', 'France', NULL);
INSERT INTO Orders VALUES (10251, 'MULLR', 7, '2024-06-10 14:09:00', '2024-07-08', '2024-06-18 19:00:00', 124.41, 'Müller Feinkost', 'Düsseldorf', 'Germany', NULL);
INSERT INTO Orders VALUES (10252, 'LAMAI', 8, '2024-06-11 15:39:00', '2024-07-09', '2024-06-16 15:00:00', 94.84, 'La maison d''Asie', 'Toulouse', 'France', NULL);
INSERT INTO Orders VALUES (10253, 'BONAP', 1, '2024-06-13 12:44:00', '2024-07-11', '2024-06-16 12:00:00', 51.53, 'Bon appétit', 'Marseille', 'France', NULL);
INSERT INTO Orders VALUES (10254, 'KONIG', 9, '2024-06-14 08:11:00', '2024-07-12', '2024-06-20 10:00:00', 195.67, 'Königlich Essen', 'Brandenburg', 'Germany', NULL);
INSERT INTO Orders VALUES (10255, 'ALPHA', 8, '2024-06-17 15:21:00', '2024-07-15', '2024-06-22 15:00:00', 161.92, 'Alpha Delicatessen', 'Berlin', 'Germany', NULL);
INSERT INTO Orders VALUES (10256, 'ALPHA', 5, '2024-06-18 16:36:00', '2024-07-16', '2024-06-24 16:00:00', 50.60, 'Alpha Delicatessen', 'Berlin', 'Germany', NULL);
INSERT INTO Orders VALUES (10257, 'VINED', 5, '2024-06-21 10:31:00', '2024-07-19', '2024-06-23 10:00:00', 67.26, 'Vins et alcools Dupont', 'Reims', 'France', NULL);
INSERT INTO Orders VALUES (10258, 'OTTAW', 8, '2024-06-24 17:25:00', '2024-07-22', '2024-07-03 17:00:00', 173.18, 'Ottawa Valley Market', 'Ottawa', 'Canada', NULL);
INSERT INTO Orders VALUES (10259, 'WARSZ', 5, '2024-06-26 08:24:00', '2024-07-24', '2024-06-28 14:00:00', 436.70, 'Delikatesy Łazienki', 'Warszawa', 'Poland', NULL);
INSERT INTO Orders VALUES (10260, 'VINED', 3, '2024-06-27 16:01:00', '2024-07-25', '2024-07-09 16:00:00', 179.32, 'Vins et alcools Dupont', 'Reims', 'France', 'Customer called on the morning of the order about the last delivery:
two jars of the previous shipment arrived broken and one box was wet.
We agreed to replace the broken jars free of charge with this order
and to pack glass in double cartons from now on.
Please check the cartons before they leave the warehouse, and ask the driver
to have the customer sign for the number of boxes received.');
INSERT INTO Orders VALUES (10261, 'WELLI', 4, '2024-07-01 13:43:00', '2024-07-29', '2024-07-10 14:00:00', 258.65, 'Wellington Importadora', 'Resende', 'Brazil', NULL);
INSERT INTO Orders VALUES (10262, 'OBRIE', 1, '2024-07-02 16:22:00', '2024-07-30', '2024-07-03 22:00:00', 184.99, 'O''Brien & Sons Wholesale', 'Galway', 'Ireland', NULL);
INSERT INTO Orders VALUES (10263, 'ANTON', 1, '2024-07-04 16:27:00', '2024-08-01', '2024-07-11 17:00:00', 421.71, 'Antonio''s Taquería', 'México D.F.', 'Mexico', NULL);
INSERT INTO Orders VALUES (10264, 'VINED', 2, '2024-07-05 11:31:00', '2024-08-02', '2024-07-08 14:00:00', 139.62, 'Vins et alcools Dupont', 'Reims', 'France', NULL);
INSERT INTO Orders VALUES (10265, 'HELVE', 5, '2024-07-08 10:10:00', '2024-08-05', '2024-07-14 13:00:00', 63.24, 'Helvetia Käserei', 'Bern', 'Switzerland', NULL);
INSERT INTO Orders VALUES (10266, 'ZENIT', 5, '2024-07-09 14:45:00', '2024-08-06', '2024-07-19 17:00:00', 160.38, 'Zenith Corner Shop', 'Toronto', 'Canada', NULL);
INSERT INTO Orders VALUES (10267, 'VINED', 3, '2024-07-11 12:22:00', '2024-08-08', '2024-07-19 17:00:00', 316.29, 'Vins et alcools Dupont', 'Reims', 'France', NULL);
INSERT INTO Orders VALUES (10268, 'LAMAI', 4, '2024-07-12 09:36:00', '2024-08-09', '2024-07-13 11:00:00', 373.56, 'La maison d''Asie', 'Toulouse', 'France', NULL);
INSERT INTO Orders VALUES (10269, 'SEVEN', 2, '2024-07-15 13:20:00', '2024-08-12', '2024-07-22 16:00:00', 175.71, 'Seven Seas Imports', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10270, 'SEVEN', 1, '2024-07-17 08:23:00', '2024-08-14', '2024-07-18 11:00:00', 215.02, 'Seven Seas Imports', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10271, 'ISLAN', 3, '2024-07-19 12:08:00', '2024-08-16', '2024-07-31 14:00:00', 254.74, 'Island Trading', 'Cowes', 'UK', NULL);
INSERT INTO Orders VALUES (10272, 'HELVE', 4, '2024-07-22 17:46:00', '2024-08-19', '2024-07-31 22:00:00', 187.36, 'Helvetia Käserei', 'Bern', 'Switzerland', NULL);
INSERT INTO Orders VALUES (10273, 'KONIG', 3, '2024-07-25 12:11:00', '2024-08-22', '2024-07-29 13:00:00', 350.47, 'Königlich Essen', 'Brandenburg', 'Germany', NULL);
INSERT INTO Orders VALUES (10274, 'PRAGU', 6, '2024-07-29 15:03:00', '2024-08-26', '2024-08-01 15:00:00', 2.19, 'Pražská lahůdka', 'Praha', 'Czech Republic', NULL);
INSERT INTO Orders VALUES (10275, 'PRAGU', 6, '2024-07-31 17:03:00', '2024-08-28', '2024-08-03 18:00:00', 24.47, 'Pražská lahůdka', 'Praha', 'Czech Republic', NULL);
INSERT INTO Orders VALUES (10276, 'FOLKO', 4, '2024-08-02 13:25:00', '2024-08-30', '2024-08-03 17:00:00', 328.80, 'Folk och fä HB', 'Bräcke', 'Sweden', 'Part of the order was sent later:
Licorice Allsorts
The rest followed a week after.');
INSERT INTO Orders VALUES (10277, 'VAFFE', 5, '2024-08-05 16:20:00', '2024-09-02', '2024-08-07 20:00:00', 143.14, 'Vaffeljernet', 'Århus', 'Denmark', NULL);
INSERT INTO Orders VALUES (10278, 'ZENIT', 5, '2024-08-07 16:07:00', '2024-09-04', '2024-08-13 17:00:00', 85.43, 'Zenith Corner Shop', 'Toronto', 'Canada', NULL);
INSERT INTO Orders VALUES (10279, 'KONIG', 5, '2024-08-08 12:46:00', '2024-09-05', '2024-08-18 16:00:00', 244.71, 'Königlich Essen', 'Brandenburg', 'Germany', NULL);
INSERT INTO Orders VALUES (10280, 'LAKES', 3, '2024-08-12 12:39:00', '2024-09-09', '2024-08-20 16:00:00', 422.46, 'Great Lakes Food Market', 'Eugene', 'USA', 'Customer called on the morning of the order about the last delivery:
two jars of the previous shipment arrived broken and one box was wet.
We agreed to replace the broken jars free of charge with this order
and to pack glass in double cartons from now on.
Please check the cartons before they leave the warehouse, and ask the driver
to have the customer sign for the number of boxes received.');
INSERT INTO Orders VALUES (10281, 'FOLKO', 6, '2024-08-14 17:15:00', '2024-09-11', '2024-08-21 22:00:00', 182.79, 'Folk och fä HB', 'Bräcke', 'Sweden', NULL);
INSERT INTO Orders VALUES (10282, 'CASAD', 6, '2024-08-16 09:47:00', '2024-09-13', '2024-08-19 14:00:00', 292.77, 'Casa del Sabor', 'Madrid', 'Spain', NULL);
INSERT INTO Orders VALUES (10283, 'QUICK', 6, '2024-08-19 11:59:00', '2024-09-16', '2024-08-22 12:00:00', 333.91, 'QUICK-Stop', 'Cunewalde', 'Germany', NULL);
INSERT INTO Orders VALUES (10284, 'SYDNE', 4, '2024-08-21 13:05:00', '2024-09-18', '2024-08-30 15:00:00', 125.36, 'Sydney Harbour Imports', 'Sydney', 'Australia', NULL);
INSERT INTO Orders VALUES (10285, 'SAOPA', 3, '2024-08-22 12:06:00', '2024-09-19', '2024-08-30 14:00:00', 5.83, 'Empório São Paulo', 'São Paulo', 'Brazil', 'Customer called on the morning of the order about the last delivery:
two jars of the previous shipment arrived broken and one box was wet.
We agreed to replace the broken jars free of charge with this order
and to pack glass in double cartons from now on.
Please check the cartons before they leave the warehouse, and ask the driver
to have the customer sign for the number of boxes received.');
INSERT INTO Orders VALUES (10286, 'NORTH', 1, '2024-08-23 12:41:00', '2024-09-20', '2024-08-24 14:00:00', 385.81, 'North Sea Traders', 'Bergen', 'Norway', NULL);
INSERT INTO Orders VALUES (10287, 'NORTH', 5, '2024-08-26 08:28:00', '2024-09-23', '2024-09-05 09:00:00', 102.65, 'North Sea Traders', 'Bergen', 'Norway', NULL);
INSERT INTO Orders VALUES (10288, 'MULLR', 8, '2024-08-28 17:18:00', '2024-09-25', '2024-08-29 19:00:00', 28.56, 'Müller Feinkost', 'Düsseldorf', 'Germany', NULL);
INSERT INTO Orders VALUES (10289, 'VINED', 5, '2024-08-30 14:57:00', '2024-09-27', '2024-09-05 20:00:00', 381.29, 'Vins et alcools Dupont', 'Reims', 'France', NULL);
INSERT INTO Orders VALUES (10290, 'ISLAN', 8, '2024-09-02 11:27:00', '2024-09-30', '2024-09-11 14:00:00', 325.68, 'Island Trading', 'Cowes', 'UK', NULL);
INSERT INTO Orders VALUES (10291, 'HUNGR', 8, '2024-09-03 11:05:00', '2024-10-01', '2024-09-12 13:00:00', 309.21, 'Hungry Owl All-Night Grocers', 'Cork', 'Ireland', NULL);
INSERT INTO Orders VALUES (10292, 'PRAGU', 7, '2024-09-05 14:02:00', '2024-10-03', '2024-09-09 14:00:00', 212.60, 'Pražská lahůdka', 'Praha', 'Czech Republic', NULL);
INSERT INTO Orders VALUES (10293, 'BAKER', 7, '2024-09-09 08:11:00', '2024-10-07', '2024-09-17 14:00:00', 277.94, 'Baker Street Provisions', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10294, 'SEVEN', 2, '2024-09-11 17:47:00', '2024-10-09', '2024-09-14 18:00:00', 261.39, 'Seven Seas Imports', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10295, 'ISLAN', 7, '2024-09-13 10:04:00', '2024-10-11', '2024-09-21 11:00:00', 409.13, 'Island Trading', 'Cowes', 'UK', NULL);
INSERT INTO Orders VALUES (10296, 'QUICK', 2, '2024-09-16 17:48:00', '2024-10-14', '2024-09-19 23:00:00', 397.15, 'QUICK-Stop', 'Cunewalde', 'Germany', NULL);
INSERT INTO Orders VALUES (10297, 'MULLR', 9, '2024-09-17 10:07:00', '2024-10-15', '2024-09-23 10:00:00', 355.27, 'Müller Feinkost', 'Düsseldorf', 'Germany', NULL);
INSERT INTO Orders VALUES (10298, 'BAKER', 9, '2024-09-19 12:58:00', '2024-10-17', '2024-09-29 17:00:00', 419.40, 'Baker Street Provisions', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10299, 'BONAP', 1, '2024-09-23 10:33:00', '2024-10-21', '2024-10-02 10:00:00', 197.52, 'Bon appétit', 'Marseille', 'France', NULL);
INSERT INTO Orders VALUES (10300, 'OTTAW', 7, '2024-09-24 14:18:00', '2024-10-22', '2024-10-06 16:00:00', 368.55, 'Ottawa Valley Market', 'Ottawa', 'Canada', NULL);
INSERT INTO Orders VALUES (10301, 'ROMAF', 7, '2024-09-26 08:39:00', '2024-10-24', '2024-09-30 14:00:00', 70.50, 'Roma Formaggi', 'Bergamo', 'Italy', NULL);
INSERT INTO Orders VALUES (10302, 'ANTON', 8, '2024-09-30 09:49:00', '2024-10-28', '2024-10-01 10:00:00', 265.50, 'Antonio''s Taquería', 'México D.F.', 'Mexico', 'Deliver to the back entrance.');
INSERT INTO Orders VALUES (10303, 'ISLAN', 7, '2024-10-02 16:22:00', '2024-10-30', '2024-10-06 16:00:00', 362.03, 'Island Trading', 'Cowes', 'UK', NULL);
INSERT INTO Orders VALUES (10304, 'CASAD', 8, '2024-10-04 09:16:00', '2024-11-01', '2024-10-13 14:00:00', 443.93, 'Casa del Sabor', 'Madrid', 'Spain', 'Part of the order was sent later:
Marinated Artichokes
The rest followed a week after.');
INSERT INTO Orders VALUES (10305, 'GOURM', 8, '2024-10-07 17:42:00', '2024-11-04', '2024-10-16 18:00:00', 217.03, 'Gourmet Lanchonetes', 'Campinas', 'Brazil', NULL);
INSERT INTO Orders VALUES (10306, 'RIVER', 1, '2024-10-09 10:43:00', '2024-11-06', '2024-10-16 13:00:00', 121.54, 'Riverside Grocers', 'Elgin', 'USA', NULL);
INSERT INTO Orders VALUES (10307, 'WARSZ', 4, '2024-10-11 11:17:00', '2024-11-08', '2024-10-12 14:00:00', 128.66, 'Delikatesy Łazienki', 'Warszawa', 'Poland', NULL);
INSERT INTO Orders VALUES (10308, 'WARSZ', 3, '2024-10-14 16:30:00', '2024-11-11', '2024-10-18 22:00:00', 218.28, 'Delikatesy Łazienki', 'Warszawa', 'Poland', NULL);
INSERT INTO Orders VALUES (10309, 'WARSZ', 9, '2024-10-16 12:33:00', '2024-11-13', NULL, 333.89, 'Delikatesy Łazienki', 'Warszawa', 'Poland', NULL);
INSERT INTO Orders VALUES (10310, 'HELVE', 7, '2024-10-18 14:26:00', '2024-11-15', NULL, 423.83, 'Helvetia Käserei', 'Bern', 'Switzerland', NULL);
INSERT INTO Orders VALUES (10311, 'VAFFE', 5, '2024-10-21 14:05:00', '2024-11-18', NULL, 35.57, 'Vaffeljernet', 'Århus', 'Denmark', NULL);
INSERT INTO Orders VALUES (10312, 'BONAP', 5, '2024-10-23 12:40:00', '2024-11-20', NULL, 312.60, 'Bon appétit', 'Marseille', 'France', 'Call before delivery.');
INSERT INTO Orders VALUES (10313, 'LAMAI', 8, '2024-10-25 09:34:00', '2024-11-22', NULL, 161.98, 'La maison d''Asie', 'Toulouse', 'France', NULL);
INSERT INTO Orders VALUES (10314, 'WARSZ', 6, '2024-10-28 15:54:00', '2024-11-25', NULL, 5.56, 'Delikatesy Łazienki', 'Warszawa', 'Poland', NULL);
INSERT INTO Orders VALUES (10315, 'WELLI', 2, '2024-10-30 17:18:00', '2024-11-27', NULL, 206.16, 'Wellington Importadora', 'Resende', 'Brazil', NULL);
INSERT INTO Orders VALUES (10316, 'RIVER', 7, '2024-10-31 12:15:00', '2024-11-28', NULL, 137.43, 'Riverside Grocers', 'Elgin', 'USA', NULL);
INSERT INTO Orders VALUES (10317, 'HELVE', 8, '2024-11-04 15:05:00', '2024-12-02', NULL, 117.59, 'Helvetia Käserei', 'Bern', 'Switzerland', NULL);
INSERT INTO Orders VALUES (10318, 'SEVEN', 1, '2024-11-06 14:16:00', '2024-12-04', NULL, 77.82, 'Seven Seas Imports', 'London', 'UK', NULL);
INSERT INTO Orders VALUES (10319, 'ALPHA', 1, '2024-11-08 08:15:00', '2024-12-06', NULL, 172.93, 'Alpha Delicatessen', 'Berlin', 'Germany', NULL);
INSERT INTO Orders VALUES (10320, 'BAKER', 5, '2024-11-11 14:30:00', '2024-12-09', NULL, 371.85, 'Baker Street Provisions', 'London', 'UK', NULL);

INSERT INTO "Order Details" VALUES (10001, 39, 16.30, 37, 0.1);
INSERT INTO "Order Details" VALUES (10001, 40, 38.40, 7, 0);
INSERT INTO "Order Details" VALUES (10002, 39, 16.30, 1, 0.1);
INSERT INTO "Order Details" VALUES (10002, 8, 31.90, 19, 0);
INSERT INTO "Order Details" VALUES (10003, 29, 22.30, 41, 0);
INSERT INTO "Order Details" VALUES (10003, 30, 14.80, 19, 0.2);
INSERT INTO "Order Details" VALUES (10003, 11, 33.00, 41, 0.1);
INSERT INTO "Order Details" VALUES (10003, 4, 18.60, 51, 0);
INSERT INTO "Order Details" VALUES (10004, 29, 22.30, 54, 0.15);
INSERT INTO "Order Details" VALUES (10004, 38, 43.80, 52, 0.05);
INSERT INTO "Order Details" VALUES (10004, 11, 33.00, 14, 0);
INSERT INTO "Order Details" VALUES (10004, 28, 27.90, 40, 0);
INSERT INTO "Order Details" VALUES (10004, 17, 15.40, 34, 0.15);
INSERT INTO "Order Details" VALUES (10005, 36, 18.50, 29, 0);
INSERT INTO "Order Details" VALUES (10006, 35, 64.00, 29, 0);
INSERT INTO "Order Details" VALUES (10006, 4, 18.60, 47, 0.2);
INSERT INTO "Order Details" VALUES (10007, 20, 16.80, 51, 0.2);
INSERT INTO "Order Details" VALUES (10007, 17, 15.40, 9, 0.1);
INSERT INTO "Order Details" VALUES (10007, 34, 52.00, 27, 0);
INSERT INTO "Order Details" VALUES (10008, 22, 42.20, 22, 0.15);
INSERT INTO "Order Details" VALUES (10008, 3, 9.90, 48, 0.05);
INSERT INTO "Order Details" VALUES (10008, 4, 18.60, 34, 0);
INSERT INTO "Order Details" VALUES (10008, 17, 15.40, 12, 0);
INSERT INTO "Order Details" VALUES (10009, 30, 14.80, 35, 0.2);
INSERT INTO "Order Details" VALUES (10009, 27, 33.10, 5, 0.1);
INSERT INTO "Order Details" VALUES (10009, 20, 16.80, 55, 0);
INSERT INTO "Order Details" VALUES (10009, 1, 4.50, 41, 0);
INSERT INTO "Order Details" VALUES (10009, 26, 46.90, 23, 0.2);
INSERT INTO "Order Details" VALUES (10010, 1, 4.50, 30, 0);
INSERT INTO "Order Details" VALUES (10010, 18, 26.60, 16, 0);
INSERT INTO "Order Details" VALUES (10010, 23, 10.95, 30, 0.15);
INSERT INTO "Order Details" VALUES (10010, 32, 31.20, 56, 0.05);
INSERT INTO "Order Details" VALUES (10010, 37, 24.70, 10, 0);
INSERT INTO "Order Details" VALUES (10011, 8, 31.90, 46, 0);
INSERT INTO "Order Details" VALUES (10011, 21, 13.90, 56, 0);
INSERT INTO "Order Details" VALUES (10012, 38, 43.80, 34, 0.15);
INSERT INTO "Order Details" VALUES (10012, 3, 9.90, 12, 0.05);
INSERT INTO "Order Details" VALUES (10012, 36, 18.50, 34, 0);
INSERT INTO "Order Details" VALUES (10012, 25, 39.75, 20, 0);
INSERT INTO "Order Details" VALUES (10013, 14, 14.60, 50, 0.15);
INSERT INTO "Order Details" VALUES (10013, 19, 21.80, 60, 0.05);
INSERT INTO "Order Details" VALUES (10013, 12, 17.45, 30, 0);
INSERT INTO "Order Details" VALUES (10013, 1, 4.50, 8, 0);
INSERT INTO "Order Details" VALUES (10014, 22, 42.20, 24, 0);
INSERT INTO "Order Details" VALUES (10014, 3, 9.90, 18, 0.15);
INSERT INTO "Order Details" VALUES (10015, 28, 27.90, 37, 0);
INSERT INTO "Order Details" VALUES (10016, 35, 64.00, 51, 0.2);
INSERT INTO "Order Details" VALUES (10016, 28, 27.90, 49, 0.1);
INSERT INTO "Order Details" VALUES (10016, 9, 21.25, 47, 0);
INSERT INTO "Order Details" VALUES (10016, 26, 46.90, 33, 0);
INSERT INTO "Order Details" VALUES (10017, 11, 33.00, 55, 0.2);
INSERT INTO "Order Details" VALUES (10017, 12, 17.45, 57, 0.1);
INSERT INTO "Order Details" VALUES (10017, 1, 4.50, 19, 0);
INSERT INTO "Order Details" VALUES (10017, 18, 26.60, 53, 0);
INSERT INTO "Order Details" VALUES (10018, 22, 42.20, 40, 0);
INSERT INTO "Order Details" VALUES (10018, 19, 21.80, 6, 0.15);
INSERT INTO "Order Details" VALUES (10019, 36, 18.50, 47, 0.2);
INSERT INTO "Order Details" VALUES (10019, 33, 29.60, 25, 0.1);
INSERT INTO "Order Details" VALUES (10019, 18, 26.60, 11, 0);
INSERT INTO "Order Details" VALUES (10020, 13, 20.50, 20, 0);
INSERT INTO "Order Details" VALUES (10020, 14, 14.60, 30, 0.15);
INSERT INTO "Order Details" VALUES (10020, 11, 33.00, 48, 0.05);
INSERT INTO "Order Details" VALUES (10021, 2, 12.75, 46, 0);
INSERT INTO "Order Details" VALUES (10021, 31, 25.75, 24, 0);
INSERT INTO "Order Details" VALUES (10021, 24, 12.50, 34, 0.15);
INSERT INTO "Order Details" VALUES (10021, 21, 13.90, 16, 0.05);
INSERT INTO "Order Details" VALUES (10022, 18, 26.60, 7, 0.2);
INSERT INTO "Order Details" VALUES (10023, 25, 39.75, 58, 0);
INSERT INTO "Order Details" VALUES (10023, 10, 19.00, 48, 0);
INSERT INTO "Order Details" VALUES (10023, 15, 9.75, 42, 0.15);
INSERT INTO "Order Details" VALUES (10023, 24, 12.50, 20, 0.05);
INSERT INTO "Order Details" VALUES (10023, 5, 7.20, 10, 0);
INSERT INTO "Order Details" VALUES (10024, 40, 38.40, 20, 0);
INSERT INTO "Order Details" VALUES (10024, 29, 22.30, 14, 0.15);
INSERT INTO "Order Details" VALUES (10024, 14, 14.60, 4, 0.05);
INSERT INTO "Order Details" VALUES (10024, 27, 33.10, 38, 0);
INSERT INTO "Order Details" VALUES (10025, 16, 28.90, 37, 0.1);
INSERT INTO "Order Details" VALUES (10026, 1, 4.50, 15, 0.2);
INSERT INTO "Order Details" VALUES (10026, 34, 52.00, 9, 0.1);
INSERT INTO "Order Details" VALUES (10027, 26, 46.90, 35, 0.2);
INSERT INTO "Order Details" VALUES (10028, 17, 15.40, 46, 0);
INSERT INTO "Order Details" VALUES (10028, 2, 12.75, 60, 0);
INSERT INTO "Order Details" VALUES (10028, 15, 9.75, 2, 0.15);
INSERT INTO "Order Details" VALUES (10028, 40, 38.40, 32, 0.05);
INSERT INTO "Order Details" VALUES (10028, 5, 7.20, 22, 0);
INSERT INTO "Order Details" VALUES (10029, 8, 31.90, 4, 0);
INSERT INTO "Order Details" VALUES (10029, 29, 22.30, 38, 0.15);
INSERT INTO "Order Details" VALUES (10029, 38, 43.80, 20, 0.05);
INSERT INTO "Order Details" VALUES (10029, 19, 21.80, 6, 0);
INSERT INTO "Order Details" VALUES (10030, 29, 22.30, 3, 0);
INSERT INTO "Order Details" VALUES (10030, 6, 24.00, 53, 0);
INSERT INTO "Order Details" VALUES (10031, 3, 9.90, 14, 0.15);
INSERT INTO "Order Details" VALUES (10031, 36, 18.50, 60, 0.05);
INSERT INTO "Order Details" VALUES (10031, 1, 4.50, 42, 0);
INSERT INTO "Order Details" VALUES (10032, 29, 22.30, 23, 0);
INSERT INTO "Order Details" VALUES (10032, 38, 43.80, 9, 0);
INSERT INTO "Order Details" VALUES (10033, 3, 9.90, 48, 0);
INSERT INTO "Order Details" VALUES (10034, 14, 14.60, 19, 0);
INSERT INTO "Order Details" VALUES (10035, 29, 22.30, 46, 0.15);
INSERT INTO "Order Details" VALUES (10035, 22, 42.20, 60, 0.05);
INSERT INTO "Order Details" VALUES (10035, 27, 33.10, 26, 0);
INSERT INTO "Order Details" VALUES (10035, 36, 18.50, 16, 0);
INSERT INTO "Order Details" VALUES (10035, 9, 21.25, 54, 0.15);
INSERT INTO "Order Details" VALUES (10036, 12, 17.45, 46, 0.15);
INSERT INTO "Order Details" VALUES (10036, 25, 39.75, 4, 0.05);
INSERT INTO "Order Details" VALUES (10037, 7, 15.30, 58, 0);
INSERT INTO "Order Details" VALUES (10037, 8, 31.90, 56, 0);
INSERT INTO "Order Details" VALUES (10037, 13, 20.50, 30, 0.15);
INSERT INTO "Order Details" VALUES (10038, 12, 17.45, 51, 0.2);
INSERT INTO "Order Details" VALUES (10038, 25, 39.75, 5, 0.1);
INSERT INTO "Order Details" VALUES (10038, 2, 12.75, 39, 0);
INSERT INTO "Order Details" VALUES (10039, 29, 22.30, 40, 0);
INSERT INTO "Order Details" VALUES (10039, 6, 24.00, 6, 0.15);
INSERT INTO "Order Details" VALUES (10039, 27, 33.10, 8, 0.05);
INSERT INTO "Order Details" VALUES (10040, 18, 26.60, 39, 0);
INSERT INTO "Order Details" VALUES (10040, 23, 10.95, 53, 0);
INSERT INTO "Order Details" VALUES (10040, 40, 38.40, 59, 0.2);
INSERT INTO "Order Details" VALUES (10040, 21, 13.90, 37, 0.1);
INSERT INTO "Order Details" VALUES (10040, 14, 14.60, 43, 0);
INSERT INTO "Order Details" VALUES (10041, 5, 7.20, 47, 0);
INSERT INTO "Order Details" VALUES (10041, 22, 42.20, 57, 0);
INSERT INTO "Order Details" VALUES (10042, 4, 18.60, 54, 0.15);
INSERT INTO "Order Details" VALUES (10042, 17, 15.40, 40, 0.05);
INSERT INTO "Order Details" VALUES (10043, 26, 46.90, 59, 0.2);
INSERT INTO "Order Details" VALUES (10044, 4, 18.60, 37, 0);
INSERT INTO "Order Details" VALUES (10045, 22, 42.20, 34, 0.15);
INSERT INTO "Order Details" VALUES (10045, 3, 9.90, 16, 0.05);
INSERT INTO "Order Details" VALUES (10045, 4, 18.60, 34, 0);
INSERT INTO "Order Details" VALUES (10045, 33, 29.60, 12, 0);
INSERT INTO "Order Details" VALUES (10046, 38, 43.80, 10, 0.15);
INSERT INTO "Order Details" VALUES (10046, 35, 64.00, 12, 0.05);
INSERT INTO "Order Details" VALUES (10046, 28, 27.90, 26, 0);
INSERT INTO "Order Details" VALUES (10046, 33, 29.60, 56, 0);
INSERT INTO "Order Details" VALUES (10047, 6, 24.00, 30, 0.15);
INSERT INTO "Order Details" VALUES (10047, 35, 64.00, 52, 0.05);
INSERT INTO "Order Details" VALUES (10047, 28, 27.90, 22, 0);
INSERT INTO "Order Details" VALUES (10047, 1, 4.50, 48, 0);
INSERT INTO "Order Details" VALUES (10048, 30, 14.80, 22, 0.15);
INSERT INTO "Order Details" VALUES (10048, 35, 64.00, 56, 0.05);
INSERT INTO "Order Details" VALUES (10048, 28, 27.90, 50, 0);
INSERT INTO "Order Details" VALUES (10048, 33, 29.60, 36, 0);
INSERT INTO "Order Details" VALUES (10049, 30, 14.80, 55, 0.2);
INSERT INTO "Order Details" VALUES (10049, 35, 64.00, 37, 0.1);
INSERT INTO "Order Details" VALUES (10049, 12, 17.45, 55, 0);
INSERT INTO "Order Details" VALUES (10049, 9, 21.25, 17, 0);
INSERT INTO "Order Details" VALUES (10049, 26, 46.90, 47, 0.2);
INSERT INTO "Order Details" VALUES (10050, 9, 21.25, 33, 0.1);
INSERT INTO "Order Details" VALUES (10050, 34, 52.00, 35, 0);
INSERT INTO "Order Details" VALUES (10050, 15, 9.75, 9, 0);
INSERT INTO "Order Details" VALUES (10050, 16, 28.90, 7, 0.2);
INSERT INTO "Order Details" VALUES (10051, 38, 43.80, 10, 0.15);
INSERT INTO "Order Details" VALUES (10051, 35, 64.00, 40, 0.05);
INSERT INTO "Order Details" VALUES (10051, 36, 18.50, 46, 0);
INSERT INTO "Order Details" VALUES (10051, 17, 15.40, 40, 0);
INSERT INTO "Order Details" VALUES (10052, 6, 24.00, 57, 0);
INSERT INTO "Order Details" VALUES (10052, 3, 9.90, 39, 0.2);
INSERT INTO "Order Details" VALUES (10052, 28, 27.90, 13, 0.1);
INSERT INTO "Order Details" VALUES (10053, 31, 25.75, 19, 0);
INSERT INTO "Order Details" VALUES (10053, 32, 31.20, 49, 0);
INSERT INTO "Order Details" VALUES (10053, 29, 22.30, 43, 0.2);
INSERT INTO "Order Details" VALUES (10053, 22, 42.20, 29, 0.1);
INSERT INTO "Order Details" VALUES (10054, 18, 26.60, 59, 0.2);
INSERT INTO "Order Details" VALUES (10055, 25, 39.75, 42, 0.15);
INSERT INTO "Order Details" VALUES (10056, 28, 27.90, 10, 0.15);
INSERT INTO "Order Details" VALUES (10056, 25, 39.75, 12, 0.05);
INSERT INTO "Order Details" VALUES (10057, 26, 46.90, 23, 0);
INSERT INTO "Order Details" VALUES (10057, 31, 25.75, 57, 0);
INSERT INTO "Order Details" VALUES (10057, 8, 31.90, 31, 0.2);
INSERT INTO "Order Details" VALUES (10057, 21, 13.90, 5, 0.1);
INSERT INTO "Order Details" VALUES (10057, 38, 43.80, 7, 0);
INSERT INTO "Order Details" VALUES (10058, 29, 22.30, 3, 0);
INSERT INTO "Order Details" VALUES (10058, 30, 14.80, 41, 0);
INSERT INTO "Order Details" VALUES (10059, 3, 9.90, 60, 0);
INSERT INTO "Order Details" VALUES (10060, 38, 43.80, 51, 0.2);
INSERT INTO "Order Details" VALUES (10060, 11, 33.00, 21, 0.1);
INSERT INTO "Order Details" VALUES (10060, 28, 27.90, 55, 0);
INSERT INTO "Order Details" VALUES (10060, 33, 29.60, 21, 0);
INSERT INTO "Order Details" VALUES (10060, 10, 19.00, 15, 0.2);
INSERT INTO "Order Details" VALUES (10061, 17, 15.40, 36, 0.05);
INSERT INTO "Order Details" VALUES (10061, 10, 19.00, 18, 0);
INSERT INTO "Order Details" VALUES (10061, 31, 25.75, 40, 0);
INSERT INTO "Order Details" VALUES (10062, 6, 24.00, 42, 0.15);
INSERT INTO "Order Details" VALUES (10062, 19, 21.80, 60, 0.05);
INSERT INTO "Order Details" VALUES (10062, 12, 17.45, 10, 0);
INSERT INTO "Order Details" VALUES (10062, 25, 39.75, 32, 0);
INSERT INTO "Order Details" VALUES (10063, 11, 33.00, 40, 0.05);
INSERT INTO "Order Details" VALUES (10063, 28, 27.90, 58, 0);
INSERT INTO "Order Details" VALUES (10063, 9, 21.25, 52, 0);
INSERT INTO "Order Details" VALUES (10063, 10, 19.00, 6, 0.15);
INSERT INTO "Order Details" VALUES (10063, 39, 16.30, 36, 0.05);
INSERT INTO "Order Details" VALUES (10064, 26, 46.90, 32, 0.05);
INSERT INTO "Order Details" VALUES (10064, 23, 10.95, 34, 0);
INSERT INTO "Order Details" VALUES (10065, 24, 12.50, 36, 0);
INSERT INTO "Order Details" VALUES (10065, 5, 7.20, 10, 0.15);
INSERT INTO "Order Details" VALUES (10065, 6, 24.00, 60, 0.05);
INSERT INTO "Order Details" VALUES (10065, 27, 33.10, 10, 0);
INSERT INTO "Order Details" VALUES (10066, 16, 28.90, 53, 0.1);
INSERT INTO "Order Details" VALUES (10067, 15, 9.75, 58, 0);
INSERT INTO "Order Details" VALUES (10067, 32, 31.20, 48, 0);
INSERT INTO "Order Details" VALUES (10067, 37, 24.70, 18, 0.15);
INSERT INTO "Order Details" VALUES (10068, 20, 16.80, 40, 0.05);
INSERT INTO "Order Details" VALUES (10068, 1, 4.50, 34, 0);
INSERT INTO "Order Details" VALUES (10068, 34, 52.00, 28, 0);
INSERT INTO "Order Details" VALUES (10068, 39, 16.30, 22, 0.15);
INSERT INTO "Order Details" VALUES (10069, 9, 21.25, 9, 0.1);
INSERT INTO "Order Details" VALUES (10069, 26, 46.90, 11, 0);
INSERT INTO "Order Details" VALUES (10069, 31, 25.75, 57, 0);
INSERT INTO "Order Details" VALUES (10069, 40, 38.40, 43, 0.2);
INSERT INTO "Order Details" VALUES (10070, 33, 29.60, 39, 0.2);
INSERT INTO "Order Details" VALUES (10070, 10, 19.00, 49, 0.1);
INSERT INTO "Order Details" VALUES (10071, 12, 17.45, 29, 0);
INSERT INTO "Order Details" VALUES (10072, 27, 33.10, 40, 0);
INSERT INTO "Order Details" VALUES (10073, 6, 24.00, 49, 0);
INSERT INTO "Order Details" VALUES (10073, 19, 21.80, 3, 0.2);
INSERT INTO "Order Details" VALUES (10073, 12, 17.45, 53, 0.1);
INSERT INTO "Order Details" VALUES (10074, 9, 21.25, 26, 0.15);
INSERT INTO "Order Details" VALUES (10075, 20, 16.80, 30, 0.15);
INSERT INTO "Order Details" VALUES (10075, 1, 4.50, 44, 0.05);
INSERT INTO "Order Details" VALUES (10076, 39, 16.30, 8, 0);
INSERT INTO "Order Details" VALUES (10076, 32, 31.20, 50, 0.15);
INSERT INTO "Order Details" VALUES (10076, 13, 20.50, 16, 0.05);
INSERT INTO "Order Details" VALUES (10076, 22, 42.20, 38, 0);
INSERT INTO "Order Details" VALUES (10076, 19, 21.80, 56, 0);
INSERT INTO "Order Details" VALUES (10077, 6, 24.00, 27, 0);
INSERT INTO "Order Details" VALUES (10078, 29, 22.30, 18, 0);
INSERT INTO "Order Details" VALUES (10079, 32, 31.20, 55, 0);
INSERT INTO "Order Details" VALUES (10079, 5, 7.20, 29, 0);
INSERT INTO "Order Details" VALUES (10079, 22, 42.20, 51, 0.2);
INSERT INTO "Order Details" VALUES (10080, 25, 39.75, 30, 0);
INSERT INTO "Order Details" VALUES (10080, 26, 46.90, 24, 0);
INSERT INTO "Order Details" VALUES (10080, 39, 16.30, 50, 0.15);
INSERT INTO "Order Details" VALUES (10080, 8, 31.90, 56, 0.05);
INSERT INTO "Order Details" VALUES (10080, 37, 24.70, 42, 0);
INSERT INTO "Order Details" VALUES (10081, 40, 38.40, 25, 0.1);
INSERT INTO "Order Details" VALUES (10082, 15, 9.75, 37, 0.1);
INSERT INTO "Order Details" VALUES (10082, 32, 31.20, 27, 0);
INSERT INTO "Order Details" VALUES (10083, 32, 31.20, 12, 0);
INSERT INTO "Order Details" VALUES (10083, 21, 13.90, 58, 0.15);
INSERT INTO "Order Details" VALUES (10083, 6, 24.00, 56, 0.05);
INSERT INTO "Order Details" VALUES (10083, 3, 9.90, 38, 0);
INSERT INTO "Order Details" VALUES (10084, 40, 38.40, 58, 0);
INSERT INTO "Order Details" VALUES (10084, 5, 7.20, 8, 0);
INSERT INTO "Order Details" VALUES (10085, 19, 21.80, 17, 0);
INSERT INTO "Order Details" VALUES (10085, 20, 16.80, 3, 0.2);
INSERT INTO "Order Details" VALUES (10086, 38, 43.80, 14, 0.15);
INSERT INTO "Order Details" VALUES (10086, 11, 33.00, 4, 0.05);
INSERT INTO "Order Details" VALUES (10086, 28, 27.90, 10, 0);
INSERT INTO "Order Details" VALUES (10086, 9, 21.25, 12, 0);
INSERT INTO "Order Details" VALUES (10087, 6, 24.00, 1, 0);
INSERT INTO "Order Details" VALUES (10087, 27, 33.10, 55, 0.2);
INSERT INTO "Order Details" VALUES (10087, 28, 27.90, 53, 0.1);
INSERT INTO "Order Details" VALUES (10088, 39, 16.30, 59, 0);
INSERT INTO "Order Details" VALUES (10088, 8, 31.90, 57, 0);
INSERT INTO "Order Details" VALUES (10088, 37, 24.70, 15, 0.2);
INSERT INTO "Order Details" VALUES (10088, 22, 42.20, 9, 0.1);
INSERT INTO "Order Details" VALUES (10089, 8, 31.90, 51, 0);
INSERT INTO "Order Details" VALUES (10089, 5, 7.20, 49, 0);
INSERT INTO "Order Details" VALUES (10089, 22, 42.20, 19, 0.2);
INSERT INTO "Order Details" VALUES (10090, 25, 39.75, 54, 0.15);
INSERT INTO "Order Details" VALUES (10091, 36, 18.50, 5, 0.1);
INSERT INTO "Order Details" VALUES (10091, 1, 4.50, 39, 0);
INSERT INTO "Order Details" VALUES (10091, 18, 26.60, 45, 0);
INSERT INTO "Order Details" VALUES (10091, 39, 16.30, 55, 0.2);
INSERT INTO "Order Details" VALUES (10091, 16, 28.90, 45, 0.1);
INSERT INTO "Order Details" VALUES (10092, 7, 15.30, 53, 0.1);
INSERT INTO "Order Details" VALUES (10092, 40, 38.40, 31, 0);
INSERT INTO "Order Details" VALUES (10093, 5, 7.20, 58, 0);
INSERT INTO "Order Details" VALUES (10094, 32, 31.20, 13, 0);
INSERT INTO "Order Details" VALUES (10094, 13, 20.50, 59, 0.2);
INSERT INTO "Order Details" VALUES (10094, 38, 43.80, 25, 0.1);
INSERT INTO "Order Details" VALUES (10094, 27, 33.10, 7, 0);
INSERT INTO "Order Details" VALUES (10094, 20, 16.80, 33, 0);
INSERT INTO "Order Details" VALUES (10095, 35, 64.00, 20, 0);
INSERT INTO "Order Details" VALUES (10096, 38, 43.80, 20, 0);
INSERT INTO "Order Details" VALUES (10096, 11, 33.00, 2, 0.15);
INSERT INTO "Order Details" VALUES (10097, 33, 29.60, 43, 0.2);
INSERT INTO "Order Details" VALUES (10097, 10, 19.00, 9, 0.1);
INSERT INTO "Order Details" VALUES (10098, 15, 9.75, 38, 0);
INSERT INTO "Order Details" VALUES (10098, 8, 31.90, 24, 0);
INSERT INTO "Order Details" VALUES (10098, 37, 24.70, 2, 0.15);
INSERT INTO "Order Details" VALUES (10099, 36, 18.50, 27, 0.2);
INSERT INTO "Order Details" VALUES (10099, 33, 29.60, 25, 0.1);
INSERT INTO "Order Details" VALUES (10099, 26, 46.90, 7, 0);
INSERT INTO "Order Details" VALUES (10100, 16, 28.90, 4, 0);
INSERT INTO "Order Details" VALUES (10100, 37, 24.70, 2, 0.15);
INSERT INTO "Order Details" VALUES (10100, 22, 42.20, 48, 0.05);
INSERT INTO "Order Details" VALUES (10100, 27, 33.10, 10, 0);
INSERT INTO "Order Details" VALUES (10101, 8, 31.90, 3, 0);
INSERT INTO "Order Details" VALUES (10101, 37, 24.70, 1, 0);
INSERT INTO "Order Details" VALUES (10101, 38, 43.80, 55, 0.2);
INSERT INTO "Order Details" VALUES (10102, 19, 21.80, 47, 0.2);
INSERT INTO "Order Details" VALUES (10102, 20, 16.80, 45, 0.1);
INSERT INTO "Order Details" VALUES (10102, 9, 21.25, 15, 0);
INSERT INTO "Order Details" VALUES (10102, 2, 12.75, 17, 0);
INSERT INTO "Order Details" VALUES (10103, 11, 33.00, 17, 0);
INSERT INTO "Order Details" VALUES (10103, 20, 16.80, 55, 0.2);
INSERT INTO "Order Details" VALUES (10104, 28, 27.90, 37, 0);
INSERT INTO "Order Details" VALUES (10105, 19, 21.80, 48, 0.05);
INSERT INTO "Order Details" VALUES (10105, 20, 16.80, 38, 0);
INSERT INTO "Order Details" VALUES (10105, 25, 39.75, 16, 0);
INSERT INTO "Order Details" VALUES (10105, 10, 19.00, 54, 0.15);
INSERT INTO "Order Details" VALUES (10105, 31, 25.75, 28, 0.05);
INSERT INTO "Order Details" VALUES (10106, 31, 25.75, 45, 0.1);
INSERT INTO "Order Details" VALUES (10106, 40, 38.40, 59, 0);
INSERT INTO "Order Details" VALUES (10107, 5, 7.20, 35, 0);
INSERT INTO "Order Details" VALUES (10107, 22, 42.20, 17, 0);
INSERT INTO "Order Details" VALUES (10108, 11, 33.00, 36, 0.05);
INSERT INTO "Order Details" VALUES (10108, 12, 17.45, 54, 0);
INSERT INTO "Order Details" VALUES (10108, 33, 29.60, 60, 0);
INSERT INTO "Order Details" VALUES (10108, 10, 19.00, 34, 0.15);
INSERT INTO "Order Details" VALUES (10108, 23, 10.95, 4, 0.05);
INSERT INTO "Order Details" VALUES (10109, 34, 52.00, 10, 0);
INSERT INTO "Order Details" VALUES (10109, 7, 15.30, 60, 0);
INSERT INTO "Order Details" VALUES (10109, 24, 12.50, 10, 0.15);
INSERT INTO "Order Details" VALUES (10109, 5, 7.20, 36, 0.05);
INSERT INTO "Order Details" VALUES (10110, 34, 52.00, 19, 0);
INSERT INTO "Order Details" VALUES (10110, 7, 15.30, 33, 0);
INSERT INTO "Order Details" VALUES (10110, 32, 31.20, 27, 0.2);
INSERT INTO "Order Details" VALUES (10110, 37, 24.70, 33, 0.1);
INSERT INTO "Order Details" VALUES (10110, 38, 43.80, 7, 0);
INSERT INTO "Order Details" VALUES (10111, 29, 22.30, 11, 0);
INSERT INTO "Order Details" VALUES (10111, 22, 42.20, 1, 0);
INSERT INTO "Order Details" VALUES (10112, 6, 24.00, 16, 0);
INSERT INTO "Order Details" VALUES (10112, 19, 21.80, 34, 0.15);
INSERT INTO "Order Details" VALUES (10113, 25, 39.75, 51, 0.2);
INSERT INTO "Order Details" VALUES (10113, 34, 52.00, 29, 0.1);
INSERT INTO "Order Details" VALUES (10114, 23, 10.95, 58, 0);
INSERT INTO "Order Details" VALUES (10114, 40, 38.40, 56, 0);
INSERT INTO "Order Details" VALUES (10114, 37, 24.70, 42, 0.15);
INSERT INTO "Order Details" VALUES (10115, 9, 21.25, 46, 0.15);
INSERT INTO "Order Details" VALUES (10116, 28, 27.90, 12, 0.05);
INSERT INTO "Order Details" VALUES (10116, 33, 29.60, 14, 0);
INSERT INTO "Order Details" VALUES (10116, 10, 19.00, 36, 0);
INSERT INTO "Order Details" VALUES (10116, 15, 9.75, 50, 0.15);
INSERT INTO "Order Details" VALUES (10117, 4, 18.60, 7, 0.2);
INSERT INTO "Order Details" VALUES (10117, 33, 29.60, 49, 0.1);
INSERT INTO "Order Details" VALUES (10117, 2, 12.75, 11, 0);
INSERT INTO "Order Details" VALUES (10118, 24, 12.50, 46, 0);
INSERT INTO "Order Details" VALUES (10118, 29, 22.30, 36, 0);
INSERT INTO "Order Details" VALUES (10119, 22, 42.20, 29, 0);
INSERT INTO "Order Details" VALUES (10119, 35, 64.00, 23, 0.2);
INSERT INTO "Order Details" VALUES (10119, 20, 16.80, 49, 0.1);
INSERT INTO "Order Details" VALUES (10120, 31, 25.75, 11, 0);
INSERT INTO "Order Details" VALUES (10120, 16, 28.90, 49, 0);
INSERT INTO "Order Details" VALUES (10120, 29, 22.30, 47, 0.2);
INSERT INTO "Order Details" VALUES (10120, 38, 43.80, 1, 0.1);
INSERT INTO "Order Details" VALUES (10121, 39, 16.30, 56, 0);
INSERT INTO "Order Details" VALUES (10121, 16, 28.90, 54, 0.15);
INSERT INTO "Order Details" VALUES (10121, 5, 7.20, 48, 0.05);
INSERT INTO "Order Details" VALUES (10121, 6, 24.00, 6, 0);
INSERT INTO "Order Details" VALUES (10121, 35, 64.00, 16, 0);
INSERT INTO "Order Details" VALUES (10122, 14, 14.60, 20, 0);
INSERT INTO "Order Details" VALUES (10122, 27, 33.10, 26, 0.15);
INSERT INTO "Order Details" VALUES (10123, 28, 27.90, 41, 0.1);
INSERT INTO "Order Details" VALUES (10123, 17, 15.40, 15, 0);
INSERT INTO "Order Details" VALUES (10123, 26, 46.90, 5, 0);
INSERT INTO "Order Details" VALUES (10123, 23, 10.95, 35, 0.2);
INSERT INTO "Order Details" VALUES (10123, 40, 38.40, 57, 0.1);
INSERT INTO "Order Details" VALUES (10124, 7, 15.30, 41, 0.1);
INSERT INTO "Order Details" VALUES (10124, 8, 31.90, 23, 0);
INSERT INTO "Order Details" VALUES (10125, 37, 24.70, 23, 0);
INSERT INTO "Order Details" VALUES (10125, 38, 43.80, 49, 0);
INSERT INTO "Order Details" VALUES (10126, 37, 24.70, 50, 0);
INSERT INTO "Order Details" VALUES (10127, 8, 31.90, 22, 0);
INSERT INTO "Order Details" VALUES (10127, 37, 24.70, 12, 0);
INSERT INTO "Order Details" VALUES (10128, 38, 43.80, 19, 0);
INSERT INTO "Order Details" VALUES (10129, 37, 24.70, 14, 0);
INSERT INTO "Order Details" VALUES (10130, 8, 31.90, 16, 0);
INSERT INTO "Order Details" VALUES (10130, 13, 20.50, 26, 0.15);
INSERT INTO "Order Details" VALUES (10130, 14, 14.60, 28, 0.05);
INSERT INTO "Order Details" VALUES (10130, 3, 9.90, 18, 0);
INSERT INTO "Order Details" VALUES (10131, 40, 38.40, 46, 0);
INSERT INTO "Order Details" VALUES (10131, 29, 22.30, 8, 0);
INSERT INTO "Order Details" VALUES (10132, 6, 24.00, 31, 0);
INSERT INTO "Order Details" VALUES (10133, 30, 14.80, 48, 0);
INSERT INTO "Order Details" VALUES (10133, 19, 21.80, 38, 0.15);
INSERT INTO "Order Details" VALUES (10134, 36, 18.50, 24, 0.05);
INSERT INTO "Order Details" VALUES (10134, 33, 29.60, 58, 0);
INSERT INTO "Order Details" VALUES (10134, 26, 46.90, 60, 0);
INSERT INTO "Order Details" VALUES (10134, 7, 15.30, 10, 0.15);
INSERT INTO "Order Details" VALUES (10135, 4, 18.60, 6, 0.15);
INSERT INTO "Order Details" VALUES (10135, 25, 39.75, 52, 0.05);
INSERT INTO "Order Details" VALUES (10136, 18, 26.60, 7, 0);
INSERT INTO "Order Details" VALUES (10136, 7, 15.30, 13, 0);
INSERT INTO "Order Details" VALUES (10136, 24, 12.50, 19, 0.2);
INSERT INTO "Order Details" VALUES (10136, 13, 20.50, 17, 0.1);
INSERT INTO "Order Details" VALUES (10136, 6, 24.00, 51, 0);
INSERT INTO "Order Details" VALUES (10137, 29, 22.30, 58, 0);
INSERT INTO "Order Details" VALUES (10138, 16, 28.90, 42, 0);
INSERT INTO "Order Details" VALUES (10138, 5, 7.20, 40, 0);
INSERT INTO "Order Details" VALUES (10139, 6, 24.00, 23, 0.2);
INSERT INTO "Order Details" VALUES (10139, 35, 64.00, 41, 0.1);
INSERT INTO "Order Details" VALUES (10139, 4, 18.60, 35, 0);
INSERT INTO "Order Details" VALUES (10139, 25, 39.75, 49, 0);
INSERT INTO "Order Details" VALUES (10139, 18, 26.60, 31, 0.2);
INSERT INTO "Order Details" VALUES (10140, 1, 4.50, 10, 0.15);
INSERT INTO "Order Details" VALUES (10141, 4, 18.60, 33, 0.1);
INSERT INTO "Order Details" VALUES (10141, 25, 39.75, 55, 0);
INSERT INTO "Order Details" VALUES (10141, 18, 26.60, 57, 0);
INSERT INTO "Order Details" VALUES (10141, 23, 10.95, 27, 0.2);
INSERT INTO "Order Details" VALUES (10141, 32, 31.20, 1, 0.1);
INSERT INTO "Order Details" VALUES (10142, 16, 28.90, 22, 0);
INSERT INTO "Order Details" VALUES (10142, 29, 22.30, 28, 0);
INSERT INTO "Order Details" VALUES (10143, 30, 14.80, 49, 0);
INSERT INTO "Order Details" VALUES (10143, 19, 21.80, 19, 0.2);
INSERT INTO "Order Details" VALUES (10143, 28, 27.90, 21, 0.1);
INSERT INTO "Order Details" VALUES (10144, 7, 15.30, 25, 0.1);
INSERT INTO "Order Details" VALUES (10144, 40, 38.40, 43, 0);
INSERT INTO "Order Details" VALUES (10145, 21, 13.90, 55, 0);
INSERT INTO "Order Details" VALUES (10145, 38, 43.80, 17, 0);
INSERT INTO "Order Details" VALUES (10146, 20, 16.80, 1, 0);
INSERT INTO "Order Details" VALUES (10147, 35, 64.00, 23, 0.2);
INSERT INTO "Order Details" VALUES (10147, 36, 18.50, 33, 0.1);
INSERT INTO "Order Details" VALUES (10147, 1, 4.50, 35, 0);
INSERT INTO "Order Details" VALUES (10147, 2, 12.75, 29, 0);
INSERT INTO "Order Details" VALUES (10148, 27, 33.10, 16, 0);
INSERT INTO "Order Details" VALUES (10149, 22, 42.20, 59, 0.2);
INSERT INTO "Order Details" VALUES (10149, 35, 64.00, 57, 0.1);
INSERT INTO "Order Details" VALUES (10149, 4, 18.60, 59, 0);
INSERT INTO "Order Details" VALUES (10149, 9, 21.25, 45, 0);
INSERT INTO "Order Details" VALUES (10149, 26, 46.90, 39, 0.2);
INSERT INTO "Order Details" VALUES (10150, 17, 15.40, 58, 0);
INSERT INTO "Order Details" VALUES (10150, 34, 52.00, 36, 0);
INSERT INTO "Order Details" VALUES (10150, 23, 10.95, 30, 0.15);
INSERT INTO "Order Details" VALUES (10150, 32, 31.20, 8, 0.05);
INSERT INTO "Order Details" VALUES (10150, 5, 7.20, 54, 0);
INSERT INTO "Order Details" VALUES (10151, 8, 31.90, 11, 0);
INSERT INTO "Order Details" VALUES (10151, 37, 24.70, 37, 0);
INSERT INTO "Order Details" VALUES (10151, 22, 42.20, 35, 0.2);
INSERT INTO "Order Details" VALUES (10152, 1, 4.50, 50, 0);
INSERT INTO "Order Details" VALUES (10152, 2, 12.75, 8, 0);
INSERT INTO "Order Details" VALUES (10152, 39, 16.30, 14, 0.15);
INSERT INTO "Order Details" VALUES (10152, 16, 28.90, 24, 0.05);
INSERT INTO "Order Details" VALUES (10152, 29, 22.30, 30, 0);
INSERT INTO "Order Details" VALUES (10153, 16, 28.90, 18, 0);
INSERT INTO "Order Details" VALUES (10153, 5, 7.20, 60, 0);
INSERT INTO "Order Details" VALUES (10154, 22, 42.20, 59, 0);
INSERT INTO "Order Details" VALUES (10155, 31, 25.75, 15, 0);
INSERT INTO "Order Details" VALUES (10155, 40, 38.40, 17, 0);
INSERT INTO "Order Details" VALUES (10155, 37, 24.70, 7, 0.2);
INSERT INTO "Order Details" VALUES (10155, 22, 42.20, 37, 0.1);
INSERT INTO "Order Details" VALUES (10156, 23, 10.95, 13, 0.1);
INSERT INTO "Order Details" VALUES (10156, 8, 31.90, 55, 0);
INSERT INTO "Order Details" VALUES (10157, 29, 22.30, 45, 0);
INSERT INTO "Order Details" VALUES (10157, 6, 24.00, 47, 0.2);
INSERT INTO "Order Details" VALUES (10157, 35, 64.00, 17, 0.1);
INSERT INTO "Order Details" VALUES (10157, 4, 18.60, 39, 0);
INSERT INTO "Order Details" VALUES (10158, 14, 14.60, 16, 0);
INSERT INTO "Order Details" VALUES (10158, 11, 33.00, 54, 0.15);
INSERT INTO "Order Details" VALUES (10159, 20, 16.80, 53, 0);
INSERT INTO "Order Details" VALUES (10160, 27, 33.10, 17, 0);
INSERT INTO "Order Details" VALUES (10160, 12, 17.45, 15, 0.2);
INSERT INTO "Order Details" VALUES (10161, 26, 46.90, 30, 0);
INSERT INTO "Order Details" VALUES (10161, 23, 10.95, 48, 0);
INSERT INTO "Order Details" VALUES (10161, 32, 31.20, 50, 0.15);
INSERT INTO "Order Details" VALUES (10161, 21, 13.90, 8, 0.05);
INSERT INTO "Order Details" VALUES (10162, 18, 26.60, 8, 0.05);
INSERT INTO "Order Details" VALUES (10162, 15, 9.75, 46, 0);
INSERT INTO "Order Details" VALUES (10163, 16, 28.90, 46, 0);
INSERT INTO "Order Details" VALUES (10163, 37, 24.70, 52, 0);
INSERT INTO "Order Details" VALUES (10164, 38, 43.80, 51, 0.2);
INSERT INTO "Order Details" VALUES (10164, 27, 33.10, 45, 0.1);
INSERT INTO "Order Details" VALUES (10164, 12, 17.45, 3, 0);
INSERT INTO "Order Details" VALUES (10164, 17, 15.40, 49, 0);
INSERT INTO "Order Details" VALUES (10164, 10, 19.00, 31, 0.2);
INSERT INTO "Order Details" VALUES (10165, 4, 18.60, 10, 0.15);
INSERT INTO "Order Details" VALUES (10165, 1, 4.50, 28, 0.05);
INSERT INTO "Order Details" VALUES (10166, 2, 12.75, 42, 0);
INSERT INTO "Order Details" VALUES (10166, 31, 25.75, 60, 0);
INSERT INTO "Order Details" VALUES (10166, 32, 31.20, 14, 0.15);
INSERT INTO "Order Details" VALUES (10166, 21, 13.90, 40, 0.05);
INSERT INTO "Order Details" VALUES (10167, 26, 46.90, 31, 0);
INSERT INTO "Order Details" VALUES (10167, 39, 16.30, 45, 0);
INSERT INTO "Order Details" VALUES (10167, 16, 28.90, 43, 0.2);
INSERT INTO "Order Details" VALUES (10167, 37, 24.70, 21, 0.1);
INSERT INTO "Order Details" VALUES (10167, 22, 42.20, 27, 0);
INSERT INTO "Order Details" VALUES (10168, 13, 20.50, 32, 0);
INSERT INTO "Order Details" VALUES (10168, 22, 42.20, 18, 0.15);
INSERT INTO "Order Details" VALUES (10168, 11, 33.00, 56, 0.05);
INSERT INTO "Order Details" VALUES (10169, 2, 12.75, 31, 0.2);
INSERT INTO "Order Details" VALUES (10170, 17, 15.40, 52, 0.05);
INSERT INTO "Order Details" VALUES (10170, 2, 12.75, 46, 0);
INSERT INTO "Order Details" VALUES (10170, 15, 9.75, 4, 0);
INSERT INTO "Order Details" VALUES (10171, 14, 14.60, 47, 0);
INSERT INTO "Order Details" VALUES (10172, 13, 20.50, 20, 0);
INSERT INTO "Order Details" VALUES (10172, 22, 42.20, 22, 0.15);
INSERT INTO "Order Details" VALUES (10172, 11, 33.00, 32, 0.05);
INSERT INTO "Order Details" VALUES (10173, 18, 26.60, 44, 0.05);
INSERT INTO "Order Details" VALUES (10173, 39, 16.30, 6, 0);
INSERT INTO "Order Details" VALUES (10174, 32, 31.20, 33, 0);
INSERT INTO "Order Details" VALUES (10174, 21, 13.90, 7, 0.2);
INSERT INTO "Order Details" VALUES (10174, 38, 43.80, 49, 0.1);
INSERT INTO "Order Details" VALUES (10174, 27, 33.10, 55, 0);
INSERT INTO "Order Details" VALUES (10174, 20, 16.80, 25, 0);
INSERT INTO "Order Details" VALUES (10175, 11, 33.00, 32, 0);
INSERT INTO "Order Details" VALUES (10176, 22, 42.20, 20, 0);
INSERT INTO "Order Details" VALUES (10176, 19, 21.80, 54, 0.15);
INSERT INTO "Order Details" VALUES (10177, 20, 16.80, 38, 0.15);
INSERT INTO "Order Details" VALUES (10177, 25, 39.75, 20, 0.05);
INSERT INTO "Order Details" VALUES (10178, 2, 12.75, 21, 0.1);
INSERT INTO "Order Details" VALUES (10178, 7, 15.30, 39, 0);
INSERT INTO "Order Details" VALUES (10178, 8, 31.90, 1, 0);
INSERT INTO "Order Details" VALUES (10179, 27, 33.10, 44, 0);
INSERT INTO "Order Details" VALUES (10180, 27, 33.10, 40, 0.05);
INSERT INTO "Order Details" VALUES (10180, 4, 18.60, 14, 0);
INSERT INTO "Order Details" VALUES (10180, 1, 4.50, 52, 0);
INSERT INTO "Order Details" VALUES (10180, 18, 26.60, 26, 0.15);
INSERT INTO "Order Details" VALUES (10180, 31, 25.75, 44, 0.05);
INSERT INTO "Order Details" VALUES (10181, 18, 26.60, 6, 0);
INSERT INTO "Order Details" VALUES (10181, 31, 25.75, 52, 0);
INSERT INTO "Order Details" VALUES (10181, 24, 12.50, 50, 0.15);
INSERT INTO "Order Details" VALUES (10181, 21, 13.90, 4, 0.05);
INSERT INTO "Order Details" VALUES (10182, 34, 52.00, 25, 0.1);
INSERT INTO "Order Details" VALUES (10182, 7, 15.30, 15, 0);
INSERT INTO "Order Details" VALUES (10182, 32, 31.20, 13, 0);
INSERT INTO "Order Details" VALUES (10183, 3, 9.90, 35, 0.2);
INSERT INTO "Order Details" VALUES (10183, 4, 18.60, 41, 0.1);
INSERT INTO "Order Details" VALUES (10183, 33, 29.60, 39, 0);
INSERT INTO "Order Details" VALUES (10183, 18, 26.60, 25, 0);
INSERT INTO "Order Details" VALUES (10184, 19, 21.80, 4, 0);
INSERT INTO "Order Details" VALUES (10185, 35, 64.00, 51, 0.2);
INSERT INTO "Order Details" VALUES (10185, 20, 16.80, 21, 0.1);
INSERT INTO "Order Details" VALUES (10185, 1, 4.50, 43, 0);
INSERT INTO "Order Details" VALUES (10185, 2, 12.75, 57, 0);
INSERT INTO "Order Details" VALUES (10186, 30, 14.80, 7, 0);
INSERT INTO "Order Details" VALUES (10187, 5, 7.20, 34, 0.15);
INSERT INTO "Order Details" VALUES (10187, 38, 43.80, 56, 0.05);
INSERT INTO "Order Details" VALUES (10187, 3, 9.90, 6, 0);
INSERT INTO "Order Details" VALUES (10187, 20, 16.80, 48, 0);
INSERT INTO "Order Details" VALUES (10187, 1, 4.50, 46, 0.15);
INSERT INTO "Order Details" VALUES (10188, 20, 16.80, 59, 0.2);
INSERT INTO "Order Details" VALUES (10188, 1, 4.50, 1, 0.1);
INSERT INTO "Order Details" VALUES (10188, 2, 12.75, 43, 0);
INSERT INTO "Order Details" VALUES (10189, 29, 22.30, 20, 0);
INSERT INTO "Order Details" VALUES (10189, 14, 14.60, 58, 0.15);
INSERT INTO "Order Details" VALUES (10189, 27, 33.10, 20, 0.05);
INSERT INTO "Order Details" VALUES (10190, 34, 52.00, 5, 0.1);
INSERT INTO "Order Details" VALUES (10190, 7, 15.30, 27, 0);
INSERT INTO "Order Details" VALUES (10190, 40, 38.40, 21, 0);
INSERT INTO "Order Details" VALUES (10191, 28, 27.90, 9, 0);
INSERT INTO "Order Details" VALUES (10192, 14, 14.60, 2, 0.15);
INSERT INTO "Order Details" VALUES (10192, 3, 9.90, 40, 0.05);
INSERT INTO "Order Details" VALUES (10192, 4, 18.60, 34, 0);
INSERT INTO "Order Details" VALUES (10192, 25, 39.75, 48, 0);
INSERT INTO "Order Details" VALUES (10193, 11, 33.00, 47, 0.2);
INSERT INTO "Order Details" VALUES (10193, 20, 16.80, 21, 0.1);
INSERT INTO "Order Details" VALUES (10193, 17, 15.40, 27, 0);
INSERT INTO "Order Details" VALUES (10193, 26, 46.90, 37, 0);
INSERT INTO "Order Details" VALUES (10194, 28, 27.90, 29, 0);
INSERT INTO "Order Details" VALUES (10195, 3, 9.90, 8, 0.05);
INSERT INTO "Order Details" VALUES (10195, 12, 17.45, 30, 0);
INSERT INTO "Order Details" VALUES (10195, 17, 15.40, 56, 0);
INSERT INTO "Order Details" VALUES (10195, 2, 12.75, 22, 0.15);
INSERT INTO "Order Details" VALUES (10195, 39, 16.30, 8, 0.05);
INSERT INTO "Order Details" VALUES (10196, 10, 19.00, 60, 0.05);
INSERT INTO "Order Details" VALUES (10196, 7, 15.30, 10, 0);
INSERT INTO "Order Details" VALUES (10197, 24, 12.50, 43, 0);
INSERT INTO "Order Details" VALUES (10197, 21, 13.90, 41, 0);
INSERT INTO "Order Details" VALUES (10197, 38, 43.80, 3, 0.2);
INSERT INTO "Order Details" VALUES (10198, 1, 4.50, 6, 0.15);
INSERT INTO "Order Details" VALUES (10199, 4, 18.60, 4, 0.05);
INSERT INTO "Order Details" VALUES (10199, 33, 29.60, 10, 0);
INSERT INTO "Order Details" VALUES (10199, 18, 26.60, 44, 0);
INSERT INTO "Order Details" VALUES (10199, 7, 15.30, 58, 0.15);
INSERT INTO "Order Details" VALUES (10200, 36, 18.50, 20, 0.05);
INSERT INTO "Order Details" VALUES (10200, 1, 4.50, 30, 0);
INSERT INTO "Order Details" VALUES (10200, 34, 52.00, 56, 0);
INSERT INTO "Order Details" VALUES (10200, 31, 25.75, 18, 0.15);
INSERT INTO "Order Details" VALUES (10201, 1, 4.50, 59, 0.2);
INSERT INTO "Order Details" VALUES (10201, 18, 26.60, 25, 0.1);
INSERT INTO "Order Details" VALUES (10202, 39, 16.30, 32, 0);
INSERT INTO "Order Details" VALUES (10202, 40, 38.40, 38, 0.15);
INSERT INTO "Order Details" VALUES (10202, 13, 20.50, 56, 0.05);
INSERT INTO "Order Details" VALUES (10202, 6, 24.00, 38, 0);
INSERT INTO "Order Details" VALUES (10202, 11, 33.00, 12, 0);
INSERT INTO "Order Details" VALUES (10203, 38, 43.80, 9, 0);
INSERT INTO "Order Details" VALUES (10203, 19, 21.80, 27, 0.2);
INSERT INTO "Order Details" VALUES (10203, 12, 17.45, 17, 0.1);
INSERT INTO "Order Details" VALUES (10204, 31, 25.75, 48, 0);
INSERT INTO "Order Details" VALUES (10204, 32, 31.20, 10, 0.15);
INSERT INTO "Order Details" VALUES (10204, 13, 20.50, 52, 0.05);
INSERT INTO "Order Details" VALUES (10204, 6, 24.00, 34, 0);
INSERT INTO "Order Details" VALUES (10204, 3, 9.90, 16, 0);
INSERT INTO "Order Details" VALUES (10205, 30, 14.80, 41, 0);
INSERT INTO "Order Details" VALUES (10205, 27, 33.10, 59, 0.2);
INSERT INTO "Order Details" VALUES (10205, 36, 18.50, 17, 0.1);
INSERT INTO "Order Details" VALUES (10206, 31, 25.75, 4, 0.05);
INSERT INTO "Order Details" VALUES (10207, 2, 12.75, 33, 0.1);
INSERT INTO "Order Details" VALUES (10207, 15, 9.75, 19, 0);
INSERT INTO "Order Details" VALUES (10207, 24, 12.50, 33, 0);
INSERT INTO "Order Details" VALUES (10208, 13, 20.50, 48, 0);
INSERT INTO "Order Details" VALUES (10208, 38, 43.80, 34, 0.15);
INSERT INTO "Order Details" VALUES (10208, 3, 9.90, 12, 0.05);
INSERT INTO "Order Details" VALUES (10209, 34, 52.00, 55, 0.2);
INSERT INTO "Order Details" VALUES (10210, 25, 39.75, 54, 0.15);
INSERT INTO "Order Details" VALUES (10211, 28, 27.90, 60, 0.05);
INSERT INTO "Order Details" VALUES (10211, 9, 21.25, 14, 0);
INSERT INTO "Order Details" VALUES (10211, 18, 26.60, 16, 0);
INSERT INTO "Order Details" VALUES (10211, 7, 15.30, 54, 0.15);
INSERT INTO "Order Details" VALUES (10212, 12, 17.45, 55, 0.2);
INSERT INTO "Order Details" VALUES (10212, 17, 15.40, 53, 0.1);
INSERT INTO "Order Details" VALUES (10212, 10, 19.00, 27, 0);
INSERT INTO "Order Details" VALUES (10213, 29, 22.30, 22, 0);
INSERT INTO "Order Details" VALUES (10214, 8, 31.90, 39, 0);
INSERT INTO "Order Details" VALUES (10214, 37, 24.70, 57, 0);
INSERT INTO "Order Details" VALUES (10214, 22, 42.20, 55, 0.2);
INSERT INTO "Order Details" VALUES (10215, 9, 21.25, 30, 0.15);
INSERT INTO "Order Details" VALUES (10216, 20, 16.80, 25, 0.1);
INSERT INTO "Order Details" VALUES (10216, 17, 15.40, 35, 0);
INSERT INTO "Order Details" VALUES (10216, 34, 52.00, 53, 0);
INSERT INTO "Order Details" VALUES (10216, 39, 16.30, 43, 0.2);
INSERT INTO "Order Details" VALUES (10216, 40, 38.40, 5, 0.1);
INSERT INTO "Order Details" VALUES (10217, 7, 15.30, 42, 0);
INSERT INTO "Order Details" VALUES (10217, 8, 31.90, 36, 0);
INSERT INTO "Order Details" VALUES (10217, 13, 20.50, 2, 0.15);
INSERT INTO "Order Details" VALUES (10218, 6, 24.00, 38, 0.15);
INSERT INTO "Order Details" VALUES (10218, 3, 9.90, 32, 0.05);
INSERT INTO "Order Details" VALUES (10218, 20, 16.80, 38, 0);
INSERT INTO "Order Details" VALUES (10218, 25, 39.75, 8, 0);
INSERT INTO "Order Details" VALUES (10219, 38, 43.80, 33, 0);
INSERT INTO "Order Details" VALUES (10219, 19, 21.80, 59, 0.2);
INSERT INTO "Order Details" VALUES (10219, 28, 27.90, 9, 0.1);
INSERT INTO "Order Details" VALUES (10220, 39, 16.30, 32, 0);
INSERT INTO "Order Details" VALUES (10220, 32, 31.20, 2, 0.15);
INSERT INTO "Order Details" VALUES (10220, 13, 20.50, 8, 0.05);
INSERT INTO "Order Details" VALUES (10220, 22, 42.20, 50, 0);
INSERT INTO "Order Details" VALUES (10220, 3, 9.90, 48, 0);
INSERT INTO "Order Details" VALUES (10221, 14, 14.60, 27, 0);
INSERT INTO "Order Details" VALUES (10222, 13, 20.50, 43, 0);
INSERT INTO "Order Details" VALUES (10222, 14, 14.60, 37, 0);
INSERT INTO "Order Details" VALUES (10223, 27, 33.10, 59, 0.2);
INSERT INTO "Order Details" VALUES (10223, 36, 18.50, 41, 0.1);
INSERT INTO "Order Details" VALUES (10223, 9, 21.25, 55, 0);
INSERT INTO "Order Details" VALUES (10223, 10, 19.00, 1, 0);
INSERT INTO "Order Details" VALUES (10224, 27, 33.10, 60, 0.05);
INSERT INTO "Order Details" VALUES (10224, 4, 18.60, 50, 0);
INSERT INTO "Order Details" VALUES (10224, 1, 4.50, 44, 0);
INSERT INTO "Order Details" VALUES (10224, 34, 52.00, 50, 0.15);
INSERT INTO "Order Details" VALUES (10224, 7, 15.30, 4, 0.05);
INSERT INTO "Order Details" VALUES (10225, 2, 12.75, 32, 0.05);
INSERT INTO "Order Details" VALUES (10225, 31, 25.75, 58, 0);
INSERT INTO "Order Details" VALUES (10226, 24, 12.50, 2, 0);
INSERT INTO "Order Details" VALUES (10226, 29, 22.30, 40, 0);
INSERT INTO "Order Details" VALUES (10227, 22, 42.20, 47, 0);
INSERT INTO "Order Details" VALUES (10228, 37, 24.70, 10, 0);
INSERT INTO "Order Details" VALUES (10229, 13, 20.50, 18, 0.15);
INSERT INTO "Order Details" VALUES (10229, 14, 14.60, 12, 0.05);
INSERT INTO "Order Details" VALUES (10229, 35, 64.00, 10, 0);
INSERT INTO "Order Details" VALUES (10229, 12, 17.45, 60, 0);
INSERT INTO "Order Details" VALUES (10229, 25, 39.75, 10, 0.15);
INSERT INTO "Order Details" VALUES (10230, 20, 16.80, 3, 0.2);
INSERT INTO "Order Details" VALUES (10230, 17, 15.40, 45, 0.1);
INSERT INTO "Order Details" VALUES (10230, 26, 46.90, 47, 0);
INSERT INTO "Order Details" VALUES (10231, 8, 31.90, 44, 0);
INSERT INTO "Order Details" VALUES (10231, 29, 22.30, 10, 0.15);
INSERT INTO "Order Details" VALUES (10231, 14, 14.60, 20, 0.05);
INSERT INTO "Order Details" VALUES (10231, 3, 9.90, 18, 0);
INSERT INTO "Order Details" VALUES (10232, 8, 31.90, 13, 0);
INSERT INTO "Order Details" VALUES (10232, 13, 20.50, 31, 0.2);
INSERT INTO "Order Details" VALUES (10232, 6, 24.00, 17, 0.1);
INSERT INTO "Order Details" VALUES (10232, 35, 64.00, 55, 0);
INSERT INTO "Order Details" VALUES (10232, 12, 17.45, 37, 0);
INSERT INTO "Order Details" VALUES (10233, 27, 33.10, 33, 0);
INSERT INTO "Order Details" VALUES (10233, 28, 27.90, 59, 0.2);
INSERT INTO "Order Details" VALUES (10234, 25, 39.75, 33, 0.1);
INSERT INTO "Order Details" VALUES (10234, 26, 46.90, 31, 0);
INSERT INTO "Order Details" VALUES (10234, 15, 9.75, 13, 0);
INSERT INTO "Order Details" VALUES (10234, 24, 12.50, 35, 0.2);
INSERT INTO "Order Details" VALUES (10235, 9, 21.25, 28, 0.05);
INSERT INTO "Order Details" VALUES (10235, 26, 46.90, 26, 0);
INSERT INTO "Order Details" VALUES (10235, 7, 15.30, 40, 0);
INSERT INTO "Order Details" VALUES (10236, 6, 24.00, 28, 0);
INSERT INTO "Order Details" VALUES (10236, 11, 33.00, 54, 0.15);
INSERT INTO "Order Details" VALUES (10237, 11, 33.00, 40, 0);
INSERT INTO "Order Details" VALUES (10238, 21, 13.90, 5, 0);
INSERT INTO "Order Details" VALUES (10238, 6, 24.00, 39, 0.2);
INSERT INTO "Order Details" VALUES (10238, 11, 33.00, 5, 0.1);
INSERT INTO "Order Details" VALUES (10238, 20, 16.80, 39, 0);
INSERT INTO "Order Details" VALUES (10239, 29, 22.30, 10, 0.15);
INSERT INTO "Order Details" VALUES (10239, 6, 24.00, 44, 0.05);
INSERT INTO "Order Details" VALUES (10239, 19, 21.80, 22, 0);
INSERT INTO "Order Details" VALUES (10239, 12, 17.45, 20, 0);
INSERT INTO "Order Details" VALUES (10239, 25, 39.75, 50, 0.15);
INSERT INTO "Order Details" VALUES (10240, 36, 18.50, 2, 0.15);
INSERT INTO "Order Details" VALUES (10240, 33, 29.60, 60, 0.05);
INSERT INTO "Order Details" VALUES (10241, 18, 26.60, 16, 0.05);
INSERT INTO "Order Details" VALUES (10241, 15, 9.75, 50, 0);
INSERT INTO "Order Details" VALUES (10242, 16, 28.90, 21, 0.1);
INSERT INTO "Order Details" VALUES (10243, 31, 25.75, 60, 0.05);
INSERT INTO "Order Details" VALUES (10244, 10, 19.00, 50, 0);
INSERT INTO "Order Details" VALUES (10244, 31, 25.75, 12, 0);
INSERT INTO "Order Details" VALUES (10244, 24, 12.50, 18, 0.15);
INSERT INTO "Order Details" VALUES (10244, 5, 7.20, 44, 0.05);
INSERT INTO "Order Details" VALUES (10245, 10, 19.00, 35, 0);
INSERT INTO "Order Details" VALUES (10245, 31, 25.75, 29, 0);
INSERT INTO "Order Details" VALUES (10245, 32, 31.20, 47, 0.2);
INSERT INTO "Order Details" VALUES (10245, 29, 22.30, 29, 0.1);
INSERT INTO "Order Details" VALUES (10245, 22, 42.20, 31, 0);
INSERT INTO "Order Details" VALUES (10246, 21, 13.90, 47, 0);
INSERT INTO "Order Details" VALUES (10246, 22, 42.20, 17, 0);
INSERT INTO "Order Details" VALUES (10247, 27, 33.10, 2, 0.15);
INSERT INTO "Order Details" VALUES (10247, 20, 16.80, 32, 0.05);
INSERT INTO "Order Details" VALUES (10247, 9, 21.25, 10, 0);
INSERT INTO "Order Details" VALUES (10248, 37, 24.70, 42, 0.15);
INSERT INTO "Order Details" VALUES (10248, 38, 43.80, 52, 0.05);
INSERT INTO "Order Details" VALUES (10248, 11, 33.00, 10, 0);
INSERT INTO "Order Details" VALUES (10248, 20, 16.80, 12, 0);
INSERT INTO "Order Details" VALUES (10248, 1, 4.50, 18, 0.15);
INSERT INTO "Order Details" VALUES (10249, 33, 29.60, 24, 0.05);
INSERT INTO "Order Details" VALUES (10249, 26, 46.90, 54, 0);
INSERT INTO "Order Details" VALUES (10249, 39, 16.30, 52, 0);
INSERT INTO "Order Details" VALUES (10250, 22, 42.20, 47, 0);
INSERT INTO "Order Details" VALUES (10251, 21, 13.90, 16, 0);
INSERT INTO "Order Details" VALUES (10251, 38, 43.80, 2, 0.15);
INSERT INTO "Order Details" VALUES (10251, 35, 64.00, 4, 0.05);
INSERT INTO "Order Details" VALUES (10252, 26, 46.90, 3, 0);
INSERT INTO "Order Details" VALUES (10252, 31, 25.75, 57, 0);
INSERT INTO "Order Details" VALUES (10252, 40, 38.40, 27, 0.2);
INSERT INTO "Order Details" VALUES (10252, 37, 24.70, 1, 0.1);
INSERT INTO "Order Details" VALUES (10252, 6, 24.00, 19, 0);
INSERT INTO "Order Details" VALUES (10253, 24, 12.50, 57, 0.1);
INSERT INTO "Order Details" VALUES (10254, 31, 25.75, 40, 0.05);
INSERT INTO "Order Details" VALUES (10255, 18, 26.60, 29, 0.1);
INSERT INTO "Order Details" VALUES (10255, 7, 15.30, 31, 0);
INSERT INTO "Order Details" VALUES (10255, 40, 38.40, 9, 0);
INSERT INTO "Order Details" VALUES (10256, 35, 64.00, 43, 0.2);
INSERT INTO "Order Details" VALUES (10256, 28, 27.90, 25, 0.1);
INSERT INTO "Order Details" VALUES (10256, 17, 15.40, 27, 0);
INSERT INTO "Order Details" VALUES (10256, 26, 46.90, 1, 0);
INSERT INTO "Order Details" VALUES (10257, 19, 21.80, 32, 0.05);
INSERT INTO "Order Details" VALUES (10257, 12, 17.45, 58, 0);
INSERT INTO "Order Details" VALUES (10257, 9, 21.25, 56, 0);
INSERT INTO "Order Details" VALUES (10257, 2, 12.75, 54, 0.15);
INSERT INTO "Order Details" VALUES (10257, 15, 9.75, 28, 0.05);
INSERT INTO "Order Details" VALUES (10258, 26, 46.90, 37, 0.1);
INSERT INTO "Order Details" VALUES (10258, 23, 10.95, 7, 0);
INSERT INTO "Order Details" VALUES (10258, 32, 31.20, 33, 0);
INSERT INTO "Order Details" VALUES (10259, 27, 33.10, 49, 0);
INSERT INTO "Order Details" VALUES (10259, 4, 18.60, 43, 0.2);
INSERT INTO "Order Details" VALUES (10260, 25, 39.75, 28, 0.05);
INSERT INTO "Order Details" VALUES (10260, 10, 19.00, 2, 0);
INSERT INTO "Order Details" VALUES (10260, 23, 10.95, 44, 0);
INSERT INTO "Order Details" VALUES (10261, 14, 14.60, 41, 0);
INSERT INTO "Order Details" VALUES (10261, 27, 33.10, 7, 0.2);
INSERT INTO "Order Details" VALUES (10261, 36, 18.50, 33, 0.1);
INSERT INTO "Order Details" VALUES (10262, 10, 19.00, 19, 0.2);
INSERT INTO "Order Details" VALUES (10263, 4, 18.60, 52, 0.05);
INSERT INTO "Order Details" VALUES (10263, 17, 15.40, 46, 0);
INSERT INTO "Order Details" VALUES (10263, 2, 12.75, 8, 0);
INSERT INTO "Order Details" VALUES (10263, 7, 15.30, 34, 0.15);
INSERT INTO "Order Details" VALUES (10264, 36, 18.50, 9, 0);
INSERT INTO "Order Details" VALUES (10265, 35, 64.00, 11, 0.2);
INSERT INTO "Order Details" VALUES (10265, 20, 16.80, 9, 0.1);
INSERT INTO "Order Details" VALUES (10265, 33, 29.60, 27, 0);
INSERT INTO "Order Details" VALUES (10265, 26, 46.90, 45, 0);
INSERT INTO "Order Details" VALUES (10266, 35, 64.00, 1, 0);
INSERT INTO "Order Details" VALUES (10266, 12, 17.45, 35, 0.2);
INSERT INTO "Order Details" VALUES (10267, 25, 39.75, 20, 0.05);
INSERT INTO "Order Details" VALUES (10267, 2, 12.75, 38, 0);
INSERT INTO "Order Details" VALUES (10267, 7, 15.30, 56, 0);
INSERT INTO "Order Details" VALUES (10268, 14, 14.60, 36, 0);
INSERT INTO "Order Details" VALUES (10268, 11, 33.00, 22, 0.15);
INSERT INTO "Order Details" VALUES (10269, 20, 16.80, 13, 0);
INSERT INTO "Order Details" VALUES (10270, 38, 43.80, 15, 0.2);
INSERT INTO "Order Details" VALUES (10270, 19, 21.80, 37, 0.1);
INSERT INTO "Order Details" VALUES (10270, 36, 18.50, 23, 0);
INSERT INTO "Order Details" VALUES (10270, 33, 29.60, 37, 0);
INSERT INTO "Order Details" VALUES (10270, 18, 26.60, 7, 0.2);
INSERT INTO "Order Details" VALUES (10271, 9, 21.25, 48, 0.05);
INSERT INTO "Order Details" VALUES (10271, 18, 26.60, 26, 0);
INSERT INTO "Order Details" VALUES (10271, 23, 10.95, 16, 0);
INSERT INTO "Order Details" VALUES (10272, 30, 14.80, 59, 0.2);
INSERT INTO "Order Details" VALUES (10272, 3, 9.90, 9, 0.1);
INSERT INTO "Order Details" VALUES (10272, 20, 16.80, 55, 0);
INSERT INTO "Order Details" VALUES (10272, 9, 21.25, 45, 0);
INSERT INTO "Order Details" VALUES (10272, 18, 26.60, 19, 0.2);
INSERT INTO "Order Details" VALUES (10273, 9, 21.25, 10, 0);
INSERT INTO "Order Details" VALUES (10273, 34, 52.00, 24, 0);
INSERT INTO "Order Details" VALUES (10273, 15, 9.75, 58, 0.15);
INSERT INTO "Order Details" VALUES (10273, 8, 31.90, 16, 0.05);
INSERT INTO "Order Details" VALUES (10273, 29, 22.30, 22, 0);
INSERT INTO "Order Details" VALUES (10274, 16, 28.90, 32, 0);
INSERT INTO "Order Details" VALUES (10274, 37, 24.70, 38, 0.15);
INSERT INTO "Order Details" VALUES (10274, 22, 42.20, 4, 0.05);
INSERT INTO "Order Details" VALUES (10274, 3, 9.90, 2, 0);
INSERT INTO "Order Details" VALUES (10275, 40, 38.40, 14, 0);
INSERT INTO "Order Details" VALUES (10275, 13, 20.50, 8, 0);
INSERT INTO "Order Details" VALUES (10276, 27, 33.10, 11, 0.2);
INSERT INTO "Order Details" VALUES (10276, 28, 27.90, 37, 0.1);
INSERT INTO "Order Details" VALUES (10276, 25, 39.75, 11, 0);
INSERT INTO "Order Details" VALUES (10276, 10, 19.00, 57, 0);
INSERT INTO "Order Details" VALUES (10277, 3, 9.90, 47, 0.2);
INSERT INTO "Order Details" VALUES (10277, 12, 17.45, 29, 0.1);
INSERT INTO "Order Details" VALUES (10277, 17, 15.40, 15, 0);
INSERT INTO "Order Details" VALUES (10277, 2, 12.75, 41, 0);
INSERT INTO "Order Details" VALUES (10278, 35, 64.00, 19, 0.2);
INSERT INTO "Order Details" VALUES (10278, 20, 16.80, 57, 0.1);
INSERT INTO "Order Details" VALUES (10278, 17, 15.40, 47, 0);
INSERT INTO "Order Details" VALUES (10278, 18, 26.60, 21, 0);
INSERT INTO "Order Details" VALUES (10279, 11, 33.00, 45, 0);
INSERT INTO "Order Details" VALUES (10279, 36, 18.50, 39, 0.2);
INSERT INTO "Order Details" VALUES (10280, 17, 15.40, 58, 0);
INSERT INTO "Order Details" VALUES (10280, 2, 12.75, 56, 0);
INSERT INTO "Order Details" VALUES (10280, 39, 16.30, 42, 0.15);
INSERT INTO "Order Details" VALUES (10280, 16, 28.90, 8, 0.05);
INSERT INTO "Order Details" VALUES (10280, 13, 20.50, 54, 0);
INSERT INTO "Order Details" VALUES (10281, 24, 12.50, 20, 0);
INSERT INTO "Order Details" VALUES (10281, 29, 22.30, 2, 0.15);
INSERT INTO "Order Details" VALUES (10281, 22, 42.20, 40, 0.05);
INSERT INTO "Order Details" VALUES (10281, 27, 33.10, 22, 0);
INSERT INTO "Order Details" VALUES (10282, 32, 31.20, 52, 0);
INSERT INTO "Order Details" VALUES (10282, 13, 20.50, 30, 0.15);
INSERT INTO "Order Details" VALUES (10282, 6, 24.00, 56, 0.05);
INSERT INTO "Order Details" VALUES (10282, 3, 9.90, 2, 0);
INSERT INTO "Order Details" VALUES (10283, 16, 28.90, 10, 0);
INSERT INTO "Order Details" VALUES (10283, 21, 13.90, 60, 0);
INSERT INTO "Order Details" VALUES (10284, 14, 14.60, 51, 0.2);
INSERT INTO "Order Details" VALUES (10284, 11, 33.00, 45, 0.1);
INSERT INTO "Order Details" VALUES (10284, 28, 27.90, 31, 0);
INSERT INTO "Order Details" VALUES (10284, 9, 21.25, 21, 0);
INSERT INTO "Order Details" VALUES (10284, 34, 52.00, 27, 0.2);
INSERT INTO "Order Details" VALUES (10285, 1, 4.50, 47, 0.2);
INSERT INTO "Order Details" VALUES (10285, 10, 19.00, 49, 0.1);
INSERT INTO "Order Details" VALUES (10286, 34, 52.00, 9, 0.1);
INSERT INTO "Order Details" VALUES (10286, 7, 15.30, 51, 0);
INSERT INTO "Order Details" VALUES (10286, 8, 31.90, 9, 0);
INSERT INTO "Order Details" VALUES (10287, 11, 33.00, 20, 0.05);
INSERT INTO "Order Details" VALUES (10287, 28, 27.90, 22, 0);
INSERT INTO "Order Details" VALUES (10287, 17, 15.40, 20, 0);
INSERT INTO "Order Details" VALUES (10287, 2, 12.75, 46, 0.15);
INSERT INTO "Order Details" VALUES (10287, 39, 16.30, 20, 0.05);
INSERT INTO "Order Details" VALUES (10288, 10, 19.00, 45, 0.1);
INSERT INTO "Order Details" VALUES (10288, 23, 10.95, 55, 0);
INSERT INTO "Order Details" VALUES (10288, 8, 31.90, 21, 0);
INSERT INTO "Order Details" VALUES (10289, 11, 33.00, 20, 0.05);
INSERT INTO "Order Details" VALUES (10289, 28, 27.90, 22, 0);
INSERT INTO "Order Details" VALUES (10289, 33, 29.60, 28, 0);
INSERT INTO "Order Details" VALUES (10289, 10, 19.00, 50, 0.15);
INSERT INTO "Order Details" VALUES (10289, 31, 25.75, 28, 0.05);
INSERT INTO "Order Details" VALUES (10290, 10, 19.00, 30, 0);
INSERT INTO "Order Details" VALUES (10290, 23, 10.95, 12, 0);
INSERT INTO "Order Details" VALUES (10290, 40, 38.40, 34, 0.15);
INSERT INTO "Order Details" VALUES (10290, 5, 7.20, 60, 0.05);
INSERT INTO "Order Details" VALUES (10291, 10, 19.00, 35, 0);
INSERT INTO "Order Details" VALUES (10291, 31, 25.75, 49, 0);
INSERT INTO "Order Details" VALUES (10291, 32, 31.20, 27, 0.2);
INSERT INTO "Order Details" VALUES (10291, 21, 13.90, 53, 0.1);
INSERT INTO "Order Details" VALUES (10291, 6, 24.00, 3, 0);
INSERT INTO "Order Details" VALUES (10292, 21, 13.90, 33, 0);
INSERT INTO "Order Details" VALUES (10292, 30, 14.80, 51, 0.2);
INSERT INTO "Order Details" VALUES (10292, 35, 64.00, 45, 0.1);
INSERT INTO "Order Details" VALUES (10292, 12, 17.45, 15, 0);
INSERT INTO "Order Details" VALUES (10293, 21, 13.90, 6, 0.15);
INSERT INTO "Order Details" VALUES (10293, 22, 42.20, 24, 0.05);
INSERT INTO "Order Details" VALUES (10293, 35, 64.00, 22, 0);
INSERT INTO "Order Details" VALUES (10293, 28, 27.90, 8, 0);
INSERT INTO "Order Details" VALUES (10293, 17, 15.40, 26, 0.15);
INSERT INTO "Order Details" VALUES (10294, 36, 18.50, 43, 0.2);
INSERT INTO "Order Details" VALUES (10294, 33, 29.60, 57, 0.1);
INSERT INTO "Order Details" VALUES (10294, 10, 19.00, 27, 0);
INSERT INTO "Order Details" VALUES (10295, 13, 20.50, 6, 0.15);
INSERT INTO "Order Details" VALUES (10295, 6, 24.00, 44, 0.05);
INSERT INTO "Order Details" VALUES (10295, 19, 21.80, 26, 0);
INSERT INTO "Order Details" VALUES (10295, 36, 18.50, 60, 0);
INSERT INTO "Order Details" VALUES (10295, 1, 4.50, 6, 0.15);
INSERT INTO "Order Details" VALUES (10296, 20, 16.80, 37, 0.1);
INSERT INTO "Order Details" VALUES (10296, 9, 21.25, 7, 0);
INSERT INTO "Order Details" VALUES (10296, 2, 12.75, 25, 0);
INSERT INTO "Order Details" VALUES (10296, 39, 16.30, 43, 0.2);
INSERT INTO "Order Details" VALUES (10296, 32, 31.20, 41, 0.1);
INSERT INTO "Order Details" VALUES (10297, 23, 10.95, 11, 0);
INSERT INTO "Order Details" VALUES (10297, 40, 38.40, 37, 0);
INSERT INTO "Order Details" VALUES (10297, 21, 13.90, 51, 0.2);
INSERT INTO "Order Details" VALUES (10297, 6, 24.00, 1, 0.1);
INSERT INTO "Order Details" VALUES (10298, 7, 15.30, 15, 0);
INSERT INTO "Order Details" VALUES (10298, 8, 31.90, 13, 0);
INSERT INTO "Order Details" VALUES (10298, 21, 13.90, 51, 0.2);
INSERT INTO "Order Details" VALUES (10298, 30, 14.80, 49, 0.1);
INSERT INTO "Order Details" VALUES (10299, 26, 46.90, 51, 0);
INSERT INTO "Order Details" VALUES (10299, 23, 10.95, 9, 0);
INSERT INTO "Order Details" VALUES (10299, 16, 28.90, 55, 0.2);
INSERT INTO "Order Details" VALUES (10299, 21, 13.90, 21, 0.1);
INSERT INTO "Order Details" VALUES (10299, 6, 24.00, 7, 0);
INSERT INTO "Order Details" VALUES (10300, 29, 22.30, 37, 0);
INSERT INTO "Order Details" VALUES (10300, 14, 14.60, 31, 0.2);
INSERT INTO "Order Details" VALUES (10300, 19, 21.80, 25, 0.1);
INSERT INTO "Order Details" VALUES (10300, 12, 17.45, 47, 0);
INSERT INTO "Order Details" VALUES (10301, 5, 7.20, 28, 0);
INSERT INTO "Order Details" VALUES (10301, 6, 24.00, 58, 0.15);
INSERT INTO "Order Details" VALUES (10301, 35, 64.00, 8, 0.05);
INSERT INTO "Order Details" VALUES (10302, 31, 25.75, 49, 0.1);
INSERT INTO "Order Details" VALUES (10302, 24, 12.50, 35, 0);
INSERT INTO "Order Details" VALUES (10303, 29, 22.30, 32, 0);
INSERT INTO "Order Details" VALUES (10303, 22, 42.20, 30, 0.15);
INSERT INTO "Order Details" VALUES (10303, 11, 33.00, 16, 0.05);
INSERT INTO "Order Details" VALUES (10304, 23, 10.95, 56, 0.05);
INSERT INTO "Order Details" VALUES (10305, 18, 26.60, 3, 0);
INSERT INTO "Order Details" VALUES (10305, 39, 16.30, 37, 0);
INSERT INTO "Order Details" VALUES (10305, 8, 31.90, 55, 0.2);
INSERT INTO "Order Details" VALUES (10305, 29, 22.30, 25, 0.1);
INSERT INTO "Order Details" VALUES (10305, 22, 42.20, 43, 0);
INSERT INTO "Order Details" VALUES (10306, 16, 28.90, 10, 0);
INSERT INTO "Order Details" VALUES (10306, 13, 20.50, 44, 0);
INSERT INTO "Order Details" VALUES (10307, 22, 42.20, 31, 0.2);
INSERT INTO "Order Details" VALUES (10307, 27, 33.10, 49, 0.1);
INSERT INTO "Order Details" VALUES (10307, 20, 16.80, 3, 0);
INSERT INTO "Order Details" VALUES (10307, 1, 4.50, 25, 0);
INSERT INTO "Order Details" VALUES (10307, 18, 26.60, 11, 0.2);
INSERT INTO "Order Details" VALUES (10308, 17, 15.40, 11, 0.2);
INSERT INTO "Order Details" VALUES (10308, 10, 19.00, 33, 0.1);
INSERT INTO "Order Details" VALUES (10309, 36, 18.50, 27, 0.2);
INSERT INTO "Order Details" VALUES (10309, 9, 21.25, 13, 0.1);
INSERT INTO "Order Details" VALUES (10309, 10, 19.00, 7, 0);
INSERT INTO "Order Details" VALUES (10310, 18, 26.60, 57, 0.1);
INSERT INTO "Order Details" VALUES (10310, 31, 25.75, 3, 0);
INSERT INTO "Order Details" VALUES (10310, 40, 38.40, 17, 0);
INSERT INTO "Order Details" VALUES (10311, 40, 38.40, 49, 0);
INSERT INTO "Order Details" VALUES (10311, 37, 24.70, 43, 0.2);
INSERT INTO "Order Details" VALUES (10311, 14, 14.60, 1, 0.1);
INSERT INTO "Order Details" VALUES (10311, 27, 33.10, 7, 0);
INSERT INTO "Order Details" VALUES (10311, 4, 18.60, 29, 0);
INSERT INTO "Order Details" VALUES (10312, 29, 22.30, 28, 0);
INSERT INTO "Order Details" VALUES (10312, 6, 24.00, 6, 0.15);
INSERT INTO "Order Details" VALUES (10312, 11, 33.00, 24, 0.05);
INSERT INTO "Order Details" VALUES (10313, 11, 33.00, 34, 0.15);
INSERT INTO "Order Details" VALUES (10313, 12, 17.45, 32, 0.05);
INSERT INTO "Order Details" VALUES (10313, 33, 29.60, 14, 0);
INSERT INTO "Order Details" VALUES (10314, 1, 4.50, 22, 0.15);
INSERT INTO "Order Details" VALUES (10315, 29, 22.30, 37, 0);
INSERT INTO "Order Details" VALUES (10315, 6, 24.00, 19, 0.2);
INSERT INTO "Order Details" VALUES (10315, 3, 9.90, 25, 0.1);
INSERT INTO "Order Details" VALUES (10315, 36, 18.50, 39, 0);
INSERT INTO "Order Details" VALUES (10316, 34, 52.00, 46, 0);
INSERT INTO "Order Details" VALUES (10316, 23, 10.95, 16, 0);
INSERT INTO "Order Details" VALUES (10316, 24, 12.50, 34, 0.15);
INSERT INTO "Order Details" VALUES (10316, 5, 7.20, 28, 0.05);
INSERT INTO "Order Details" VALUES (10317, 3, 9.90, 31, 0.2);
INSERT INTO "Order Details" VALUES (10317, 36, 18.50, 41, 0.1);
INSERT INTO "Order Details" VALUES (10317, 17, 15.40, 35, 0);
INSERT INTO "Order Details" VALUES (10317, 34, 52.00, 5, 0);
INSERT INTO "Order Details" VALUES (10318, 39, 16.30, 11, 0);
INSERT INTO "Order Details" VALUES (10318, 16, 28.90, 57, 0);
INSERT INTO "Order Details" VALUES (10318, 5, 7.20, 31, 0.2);
INSERT INTO "Order Details" VALUES (10318, 30, 14.80, 25, 0.1);
INSERT INTO "Order Details" VALUES (10319, 27, 33.10, 43, 0.2);
INSERT INTO "Order Details" VALUES (10319, 20, 16.80, 33, 0.1);
INSERT INTO "Order Details" VALUES (10319, 33, 29.60, 59, 0);
INSERT INTO "Order Details" VALUES (10319, 10, 19.00, 41, 0);
INSERT INTO "Order Details" VALUES (10320, 8, 31.90, 43, 0);
INSERT INTO "Order Details" VALUES (10320, 29, 22.30, 5, 0);
INSERT INTO "Order Details" VALUES (10320, 30, 14.80, 43, 0.2);

CREATE INDEX ProductsByCategory ON Products (CategoryID);
CREATE INDEX OrdersByCustomer ON Orders (CustomerID);
CREATE INDEX OrdersByEmployee ON Orders (EmployeeID);
CREATE INDEX OrderDetailsByProduct ON "Order Details" (ProductID);

CREATE VIEW "Order Totals" AS
SELECT o.OrderID, o.CustomerID, c.CompanyName, o.OrderDate,
       ROUND(SUM(d.UnitPrice * d.Quantity * (1 - d.Discount)), 2) AS Total
FROM Orders o
JOIN Customers c ON c.CustomerID = o.CustomerID
JOIN "Order Details" d ON d.OrderID = o.OrderID
GROUP BY o.OrderID;

CREATE VIEW "Product List" AS
SELECT p.ProductID, p.ProductName, c.CategoryName, p.QuantityPerUnit, p.UnitPrice
FROM Products p
JOIN Categories c ON c.CategoryID = p.CategoryID
WHERE p.Discontinued = 0;

COMMIT;
