#pragma once
// A small host for the results list and data file tests: four sales records of three
// contacts, with the awkward values a report must survive (quotes, line breaks, empty dates,
// date-only values, a sale in no group and one in a group that does not exist).

namespace bp::output::dataset {

inline constexpr const char* kReportDataset = R"json({
  "currentUser": "Ann Admin",
  "users": [{"id": "U00000000001", "name": "Ann Admin"}, {"id": "U00000000002", "name": "Bob Boss"}],
  "contactFields": [{"id": 25, "label": "Company", "type": 1}, {"id": 26, "label": "Contact", "type": 1},
                    {"id": 30, "label": "City", "type": 1}, {"id": 79, "label": "Sort name", "type": 1},
                    {"id": 12, "label": "Birthday", "type": 10}, {"id": 6, "label": "Manager", "type": 13}],
  "salesFieldTypes": {"31": 7, "35": 7, "3": 10, "30": 5, "32": 5, "33": 6, "34": 6, "6": 13},
  "contacts": [
    {"1": "C00000000001", "6": "U00000000001", "25": "Acme \"Best\" Ltd", "26": "Jo Smith",
     "30": "  Berlin ", "79": "Smith, Jo", "12": "4/1/1980 12:00:00 AM"},
    {"1": "C00000000002", "6": "U00000000002", "25": "beta gmbh", "26": "Al Young",
     "30": "Boston", "79": "Young, Al"},
    {"1": "C00000000003", "6": "U00000000002", "25": "Zeta Inc", "26": "Cy Adams",
     "30": "Austin", "79": "Adams, Cy"}],
  "sales": [
    {"1": "S00000000001", "25": "C00000000001", "6": "U00000000001", "26": "G00000000001",
     "27": "Sales Opportunity", "30": "50", "32": "3", "34": "1250.50",
     "31": "3/14/2026 9:30:00 AM", "35": "1/2/2025 8:00:00 AM", "36": "line one\r\nline two", "200": "Widget"},
    {"1": "S00000000002", "25": "C00000000002", "6": "U00000000002", "26": "G00000000002",
     "27": "Closed/Won Sale", "30": "100", "32": "10", "34": "99",
     "31": "", "35": "12/24/2024", "200": "Gadget"},
    {"1": "S00000000003", "25": "C00000000003", "6": "", "26": "G99999999999",
     "27": "Lost Sale", "30": "", "32": "7", "34": "20000",
     "31": "1/5/2026 1:00:00 PM", "35": "6/30/2025 4:00:00 PM", "200": "Widget"},
    {"1": "S00000000004", "25": "C00000000001", "6": "U00000000002",
     "27": "Sales Opportunity", "30": "25", "32": "", "34": "10.25",
     "31": "11/20/2026 9:00:00 AM", "35": "2/2/2025 9:00:00 AM", "200": "Gizmo"}],
  "groups": [{"1": "G00000000001", "25": "Key accounts", "201": " West "},
             {"1": "G00000000002", "25": "Partners"}]
})json";

}  // namespace bp::output::dataset
