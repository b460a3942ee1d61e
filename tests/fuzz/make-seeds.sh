#!/usr/bin/env bash
# Makes the seeds of corpus/ (the sample documents of samples/sources and ../shared/samples
# are seeds too, read from where they are) and the fuzz root in trust/: signed messages and their
# containers (signed by a fresh root whose key is thrown away, so the seeds verify against
# trust/fuzz-root.pem and against nothing else), documents built to break the viewer's
# bounds, and small values for the codec and the formatters. Run it again to renew them all;
# seeds added by hand (fuzzer findings) are kept.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
sources=$here/../../samples/sources
corpus=$here/corpus
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$here/trust" "$corpus"/{container,signed_message,xml_load,standard_invoice,legacy_invoice}
mkdir -p "$corpus"/{key_value_invoice,contract,content_page,cp949,formatters,page_fill,fill_plan}

cp949() { iconv -f UTF-8 -t CP949; }
seed() { cat >"$corpus/$1"; }  # seed TARGET/NAME < bytes

# --- The fuzz root and its signers (valid for a century: the seeds must not expire) ---
cd "$work"
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -keyout root.key \
  -out root.pem -days 36500 -subj "/CN=Ledgra Fuzz Root CA" \
  -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign 2>/dev/null
cat >signer.ext <<'EXT'
basicConstraints=CA:FALSE
keyUsage=critical,digitalSignature,nonRepudiation
certificatePolicies=1.2.410.200004.5.4.1.101
EXT
issue() {  # issue NAME SUBJECT KEY-OPTIONS...
  local name=$1 subject=$2; shift 2
  openssl req -new -newkey "$@" -nodes -keyout "$name.key" -out "$name.csr" -subj "$subject" \
    -utf8 2>/dev/null
  openssl x509 -req -in "$name.csr" -CA root.pem -CAkey root.key -CAcreateserial -days 36500 \
    -extfile signer.ext -out "$name.pem" 2>/dev/null
}
issue signer "/CN=퍼즈 서명자" ec -pkeyopt ec_paramgen_curve:P-256
issue rsa "/CN=Fuzz RSA Signer" rsa:2048
cp root.pem "$here/trust/fuzz-root.pem"

# sign NAME CONTENT-FILE [cms options]: NAME.der, and NAME.b64 in the 64-column lines with
# CR LF that containers carry.
sign() {
  local name=$1 content=$2; shift 2
  openssl cms -sign -binary -nodetach -in "$content" -outform DER -out "$name.der" "$@"
  fold -w 64 <<<"$(openssl base64 -e -A -in "$name.der")" |
    awk 'NR > 1 { printf "\r\n" } { printf "%s", $0 }' >"$name.b64"
}
cp "$sources/standard-invoice.xml" invoice.xml
cp "$sources/key-value-invoice.txt" key-value.txt
sign ec-invoice invoice.xml -signer signer.pem -inkey signer.key -md sha256
sign rsa-sha1-noattr key-value.txt -signer rsa.pem -inkey rsa.key -md sha1 -noattr
sign two-signers key-value.txt -signer signer.pem -inkey signer.key -signer rsa.pem -inkey rsa.key
sign inner key-value.txt -signer signer.pem -inkey signer.key
sign outer inner.b64 -signer rsa.pem -inkey rsa.key
# A signer under a root nobody trusts.
mv root.pem trusted-root.pem && mv root.key trusted-root.key
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -keyout root.key \
  -out root.pem -days 36500 -subj "/CN=Untrusted Root" 2>/dev/null
issue stranger "/CN=Stranger" ec -pkeyopt ec_paramgen_curve:P-256
sign untrusted key-value.txt -signer stranger.pem -inkey stranger.key

for name in ec-invoice rsa-sha1-noattr two-signers outer untrusted; do
  cp "$name.der" "$corpus/signed_message/$name.der"
done

# --- Containers ---
seed container/bare-message.ktx <ec-invoice.b64
seed container/bare-message-signed-twice.tsn <outer.b64
{ printf '\xEF\xBB\xBF'; cat rsa-sha1-noattr.b64; } | seed container/bare-message-after-bom.tsn
{ printf ';070200'; cat two-signers.b64; } | seed container/semicolon-bare-7.tsn
{ printf ';09060000'; cat inner.b64; } | seed container/semicolon-bare-9.tsn
{
  printf ';07000\r\n<document data=";070000'; cat ec-invoice.b64; printf '"/>\r\n'
  printf '<file name="%s" data=";07000QUJD"/>\r\n' "$(printf '첨부.txt' | cp949)"
  printf '<file name="bad.txt" data=";05000QUJD"/>\r\n'
} | seed container/wrapped-with-attachments.ktx
{ printf ';07000\r\n<document data=";070000'; cat untrusted.b64; printf '"/>\r\n'; } |
  seed container/wrapped-untrusted.ktx
printf ';0789' | seed container/short-header.ktx
# Thousands of attachments with a bad header: each one is a rejection the user would see.
{
  printf ';07000<document data=";070000'; cat inner.b64; printf '"/>'
  for _ in $(seq 3000); do printf '<file name="a" data="x"/>'; done
} | seed container/many-bad-attachments.ktx
# Thousands of "<file" without a data value: a scan that reads on to the end for each is
# quadratic.
{
  printf ';07000<document data=";070000'; cat inner.b64; printf '"/>'
  for _ in $(seq 4000); do printf '<file name="a">'; done
} | seed container/many-attachments-without-data.ktx

# --- XML documents ---
{
  printf '<?xml version="1.0" encoding="euc-kr"?>\n<TaxInvoice><TaxInvoiceDocument><IssueID>'
  printf '한글 똠방각하 <![CDATA[<b>x</b>]]>&amp;&#xAC00;' | cp949
  printf '</IssueID></TaxInvoiceDocument><n a="1" b="&lt;"/></TaxInvoice>'
} | seed xml_load/euc-kr-declared.xml
printf '\xEF\xBB\xBF<?xml version="1.0" encoding="UTF-8"?><r xmlns="urn:x"><a>가</a><p:b xmlns:p="urn:p">x</p:b></r>' |
  seed xml_load/utf8-bom-namespaces.xml
printf '<?xml version="1.0"?><!DOCTYPE r [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;">]><r>&b;&b;</r>' |
  seed xml_load/internal-entities.xml
printf '<?xml version="1.0"?><!DOCTYPE r SYSTEM "file:///etc/passwd"><r/>' |
  seed xml_load/external-dtd.xml
# The shape of a document just under the size cap: empty elements by the thousand (the cap
# itself would make a 60 MB seed).
{ printf '<r>'; for _ in $(seq 5000); do printf '<a/><b></b>'; done; printf '</r>'; } |
  seed xml_load/many-empty-elements.xml
{ for _ in $(seq 300); do printf '<a>'; done; for _ in $(seq 300); do printf '</a>'; done; } |
  seed xml_load/deep-nesting.xml
{ printf '<r'; for i in $(seq 2000); do printf ' a%d="v"' "$i"; done; printf '/>'; } |
  seed xml_load/many-attributes.xml

# --- Standard invoices that attack the page ---
# party NAME: an InvoicerParty or InvoiceeParty body whose values are given in order.
party() {
  printf '<%s><ID>%s</ID><NameText>%s</NameText><SpecifiedPerson><NameText>%s</NameText></SpecifiedPerson>' \
    "$1" "$2" "$3" "$4"
  printf '<SpecifiedAddress><LineOneText>%s</LineOneText></SpecifiedAddress><TypeCode>%s</TypeCode><ClassificationCode>%s</ClassificationCode></%s>' \
    "$5" "$6" "$7" "$1"
}
invoice() {  # invoice SUPPLIER-VALUES... : an invoice whose supplier and buyer take the values
  printf '<?xml version="1.0" encoding="UTF-8"?><TaxInvoice><TaxInvoiceDocument><IssueID>1</IssueID>'
  printf '<TypeCode>0101</TypeCode><IssueDateTime>20240305</IssueDateTime><PurposeCode>02</PurposeCode>'
  printf '</TaxInvoiceDocument><TaxInvoiceTradeSettlement>'
  party InvoicerParty "$1" "$2" "$3" "$4" "$5" "$6"
  party InvoiceeParty "$7" "$8" "$9" "${10}" "${11}" "${12}"
  printf '</TaxInvoiceTradeSettlement><SpecifiedMonetarySummation><ChargeTotalAmount>1</ChargeTotalAmount>'
  printf '<TaxTotalAmount>1</TaxTotalAmount><GrandTotalAmount>2</GrandTotalAmount></SpecifiedMonetarySummation>'
  printf '<TaxInvoiceTradeLineItem><PurchaseExpiryDateTime>20240305</PurchaseExpiryDateTime><NameText>x</NameText>'
  printf '<InvoiceAmount>1</InvoiceAmount><TotalTax><CalculatedAmount>1</CalculatedAmount></TotalTax></TaxInvoiceTradeLineItem></TaxInvoice>'
}
invoice 1234567890 '&lt;/table&gt;&lt;img src=x onerror=alert(1)&gt;' \
  '&lt;div style="position:absolute;top:0"&gt;9,999,999&lt;/div&gt;' '"&gt;&lt;script&gt;x()&lt;/script&gt;' \
  a b 9876543210 '&amp;nbsp;' c d e f | seed standard_invoice/markup-in-values.xml

# Ten fields, each naming the placeholder filled next many times over: since a later fill
# replaces what an earlier one inserted, the page would grow exponentially without a bound.
chain() {  # chain PLACEHOLDER: the placeholder 50 times
  local text=""
  for _ in $(seq 50); do text+=":$1:"; done
  printf '%s' "$text"
}
invoice 1234567890 "$(chain 성명P)" "$(chain 주소P)" "$(chain 업태P)" "$(chain 종목P)" \
  "$(chain 상호R)" 9876543210 "$(chain 성명R)" "$(chain 주소R)" "$(chain 업태R)" \
  "$(chain 종목R)" x | seed standard_invoice/placeholder-chain.xml

# Every invoice placeholder of the legacy-schema and key-value forms, five times each: a value
# holding them all grows the page by that much with every later fill, whatever the order.
all_placeholders() {
  local text=""
  for _ in 1 2 3 4 5; do
    for p in 상호P 성명P 주소P 업태P 종목P 상호R 성명R 주소R 업태R 종목R 비고 품목1; do text+=":$p:"; done
  done
  printf '%s' "$text"
}
chained=$(all_placeholders)

# --- Legacy-schema invoices (code page 949, as the signed content arrives) ---
legacy() {  # legacy SUPPLIER-NAME SUPPLIER-COMPANY BUYER-NAME REMARK ITEM
  printf '<?xml version="1.0" encoding="euc-kr"?><TaxInvoice><Header><Description.Text>%s</Description.Text>' "$4"
  printf '<Volume.Identifier>1</Volume.Identifier><Issue.Identifier>2</Issue.Identifier><Sequence.Identifier>000123</Sequence.Identifier>'
  printf '<Document.DateTime>20240430</Document.DateTime><TaxInvoice.Type.Code>01</TaxInvoice.Type.Code><Blank.Number>4</Blank.Number><Parties>'
  printf '<SupplierParty><Party.Name>%s</Party.Name><Party.Identifier>1358854321</Party.Identifier><Business><Organization.Name>%s</Organization.Name>' "$1" "$2"
  printf '<BusinessType.Name>%s</BusinessType.Name><BusinessClassification.Name>%s</BusinessClassification.Name></Business>' "$1" "$2"
  printf '<Address><Address.Line1.Text>%s</Address.Line1.Text></Address></SupplierParty>' "$3"
  printf '<BuyerParty><Party.Name>%s</Party.Name><Party.Identifier>1208812345</Party.Identifier><Business><Organization.Name>%s</Organization.Name>' "$3" "$1"
  printf '<BusinessType.Name>x</BusinessType.Name><BusinessClassification.Name>y</BusinessClassification.Name></Business>'
  printf '<Address><Address.Line1.Text>z</Address.Line1.Text></Address></BuyerParty></Parties></Header>'
  printf '<Summary><Charge.Amount>1500000</Charge.Amount><TotalTax.Amount>150000</TotalTax.Amount><Total.Amount>1650000</Total.Amount>'
  printf '<PaymentMethod><PaymentMethod.Code>30</PaymentMethod.Code><DomesticCurrency.Amount>1650000</DomesticCurrency.Amount></PaymentMethod></Summary>'
  for _ in 1 2 3 4 5 6; do
    printf '<Line><TaxItem><Item.Name>%s</Item.Name><Definition.Text>a</Definition.Text></TaxItem>' "$5"
    printf '<Transaction.DateTime>20240430</Transaction.DateTime><Item.Quantity>1</Item.Quantity><Item.Basis.Amount>1200000</Item.Basis.Amount>'
    printf '<Item.Amount>1200000</Item.Amount><Tax.Amount>120000</Tax.Amount><Description.Text>b</Description.Text></Line>'
  done
  printf '</TaxInvoice>'
}
legacy '&lt;/table&gt;&lt;img src=x onerror=alert(1)&gt;' '&lt;script&gt;x()&lt;/script&gt;' \
  '&quot;&gt;&lt;div style=&quot;position:absolute&quot;&gt;' '\n&lt;br&gt;\n' '&lt;iframe src=x&gt;' |
  cp949 | seed legacy_invoice/markup-in-values.ktx
legacy "$chained" "$chained" "$chained" "$chained" "$chained" | cp949 |
  seed legacy_invoice/placeholder-chain.ktx

# --- Key-value invoices ---
keyvalue() {  # keyvalue NAME COMPANY REMARK SEAL
  printf '<세금계산서 증서구분="01" 작성일="20240520" 책권="1" 책호="5" 전표번호1="000045" 공란수="5" 비고="%s">\n' "$3"
  printf '<공급자 등록번호="2148867890" 회사명="%s" 대표자="%s" 업태="%s" 종목="%s" 사업장소재지="%s"/>\n' "$2" "$1" "$1" "$2" "$3"
  printf '<공급받는자 등록번호="1208812345123" 회사명="%s" 대표자="" 업태="@" 종목="%s" 사업장소재지="%s"/>\n' "$2" "$1" "$3"
  printf '<결제정보 공급가액="880000" 세액="88000" 합계금액="968000" 현금="0" 수표="0" 어음="968000" 외상미수금="0"/>\n'
  for n in 1 2 3 4 5; do
    printf '<상품%d 월일="0517" 품목="%s" 규격="1m" 수량="200" 단가="2500" 공급가액="500000" 세액="50000" 비고="%s"/>\n' "$n" "$1" "$3"
  done
  printf '<인감 공급받는자="%s" 공급자="%s"/>\n</세금계산서>\n' "$4" "$4"
}
keyvalue '</table><img src=x onerror=alert(1)>' '<script>x()</script>' "<div style='position:absolute'>" \
  'R0lGODlhAQABAAAAACw=' | cp949 | seed key_value_invoice/markup-in-values.tsn
keyvalue "$chained" "$chained" "$chained" '' | cp949 | seed key_value_invoice/placeholder-chain.tsn
printf '비고="unterminated 공급자 등록번호= 상품1 월일="' | cp949 | seed key_value_invoice/unterminated.tsn

# --- Contracts and content pages ---
contract() {  # contract BODY FILE-ELEMENTS...
  printf '<?xml version="1.0" encoding="euc-kr"?><DigitalContent><ApplicationArea><ContractID>C-1</ContractID></ApplicationArea>'
  printf '<DataArea><Document>%s</Document><FileCount>%d</FileCount>' "$1" "$(($# - 1))"
  shift
  for name in "$@"; do
    printf '<File><File.Name>%s</File.Name><File.Content>QUJDRA==</File.Content></File>' "$name"
  done
  printf '</DataArea></DigitalContent>'
}
contract '&lt;b&gt;계약&lt;/b&gt; 본문' '../../escape.txt' '/etc/passwd' 'a\b/c' '' '.' '..' \
  $'탭\t줄\n바꿈.txt' '&#x202E;gpj.exe' "$(printf 'x%.0s' $(seq 300)).txt" '같은.txt' '같은.txt' |
  cp949 | seed contract/hostile-attachment-names.kcx
printf '<html><body onload="x()"><script>alert(1)</script>본문</body></html>' | cp949 |
  seed content_page/script.cqs
printf '</body> 앞 <body>뒤' | cp949 | seed content_page/closed-before-opened.cqs

# --- Code page 949 ---
printf '한글 똠방각하 쀍 갂' | cp949 | seed cp949/korean.txt
printf '한글 UTF-8 ✓ 😀' | seed cp949/utf8.txt
printf 'a\x81\x41\x8c\x63\xc8\xfe\xa1\xa1\xff\x80\xa4' | seed cp949/edges.bin

# --- Formatters ---
printf '1,234,567.89' | seed formatters/amount.txt
printf -- '-5000' | seed formatters/negative.txt
printf '1234567890123' | seed formatters/thirteen.txt
printf 'YW Jj\r\nYQ==' | seed formatters/base64.txt

# --- Page fill: one record text per line ---
printf '%s\n' 20240305-1 20240305 02 0101 수정 비고 1234567890 상호 성명 주소 업태 종목 0001 \
  9876543210 상호R 성명R 주소R 업태R 종목R 0002 10^1000 20^0 30^5 40^5 100000 10000 110000 \
  20240305 볼트 M6 "1,000" 100 100000 10000 비고비고비고 | cp949 | seed page_fill/record.txt
printf '%s\n' 1 20240305 02 01 ':비고:' ':수정사유:' 1 ':성명P:' ':주소P:' ':업태P:' |
  cp949 | seed page_fill/placeholder-in-value.txt

# --- One-pass fill: a template, then placeholder and value lines ---
printf '%s\n' '#3' '#40' '&nbsp;' '#41' ':b:' '#7' 'x:' ':b:' '<b>' | seed fill_plan/built-in.txt
printf '%s\n' 'x:1:2:3:y:a::a:' ':2:' 'Z' ':1Z3:' 'W' ':a:' 'v' | seed fill_plan/span.txt
