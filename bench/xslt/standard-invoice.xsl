<?xml version="1.0" encoding="UTF-8"?>
<!-- The standard-schema tax invoice as an HTML page, with the fields our renderer fills:
     title by type code, approval number, both parties, issue date, supply and tax digit cells,
     descriptions and broker lines, four item rows (or the summary of more), grand total and the
     four payment cells. The benchmark peer of our renderer: see compare.sh. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:t="urn:kr:or:kec:standard:Tax:ReusableAggregateBusinessInformationEntitySchemaModule:1:0"
    exclude-result-prefixes="t">
  <xsl:output method="html" encoding="EUC-KR" indent="no"/>

  <xsl:variable name="doc" select="(//t:TaxInvoice/t:TaxInvoiceDocument)[last()]"/>
  <xsl:variable name="settlement" select="(//t:TaxInvoiceTradeSettlement)[last()]"/>
  <xsl:variable name="sum" select="(//t:SpecifiedMonetarySummation)[last()]"/>
  <xsl:variable name="items" select="//t:TaxInvoiceTradeLineItem"/>
  <xsl:variable name="descriptions" select="//t:DescriptionText"/>

  <xsl:template name="nbsp">
    <xsl:param name="value"/>
    <xsl:choose>
      <xsl:when test="string($value) = ''">&#160;</xsl:when>
      <xsl:otherwise><xsl:value-of select="$value"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <xsl:template name="amount">
    <xsl:param name="value"/>
    <xsl:variable name="number" select="number(translate(substring-before(concat($value, '.'), '.'), ',', ''))"/>
    <xsl:choose>
      <xsl:when test="string($number) = 'NaN'">&#160;</xsl:when>
      <xsl:otherwise><xsl:value-of select="format-number($number, '#,##0')"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <xsl:template name="business-number">
    <xsl:param name="value"/>
    <xsl:choose>
      <xsl:when test="string($value) = ''">&#160;</xsl:when>
      <xsl:when test="string-length($value) = 13">
        <xsl:value-of select="concat(substring($value, 1, 6), '-', substring($value, 7))"/>
      </xsl:when>
      <xsl:otherwise>
        <xsl:value-of select="concat(substring($value, 1, 3), '-', substring($value, 4, 2), '-',
                                     substring($value, string-length($value) - 4))"/>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- The amount right-aligned in one-character cells. -->
  <xsl:template name="digit-cells">
    <xsl:param name="value"/>
    <xsl:param name="cells"/>
    <xsl:param name="k" select="1"/>
    <xsl:if test="$k &lt;= $cells">
      <xsl:variable name="blank" select="$cells - string-length($value)"/>
      <td class="digit">
        <xsl:choose>
          <xsl:when test="$k &lt;= $blank">&#160;</xsl:when>
          <xsl:otherwise><xsl:value-of select="substring($value, $k - $blank, 1)"/></xsl:otherwise>
        </xsl:choose>
      </td>
      <xsl:call-template name="digit-cells">
        <xsl:with-param name="value" select="$value"/>
        <xsl:with-param name="cells" select="$cells"/>
        <xsl:with-param name="k" select="$k + 1"/>
      </xsl:call-template>
    </xsl:if>
  </xsl:template>

  <xsl:template name="party">
    <xsl:param name="party"/>
    <xsl:param name="suffix"/>
    <tr><td id="등록번호{$suffix}">
      <xsl:call-template name="business-number">
        <xsl:with-param name="value" select="$party/t:ID"/>
      </xsl:call-template></td>
      <td id="상호{$suffix}"><xsl:call-template name="nbsp"><xsl:with-param name="value" select="$party/t:NameText"/></xsl:call-template></td>
      <td id="성명{$suffix}"><xsl:call-template name="nbsp"><xsl:with-param name="value" select="$party/t:SpecifiedPerson/t:NameText"/></xsl:call-template></td></tr>
    <tr><td id="주소{$suffix}"><xsl:call-template name="nbsp"><xsl:with-param name="value" select="$party/t:SpecifiedAddress/t:LineOneText"/></xsl:call-template></td>
      <td id="종사업장번호{$suffix}"><xsl:call-template name="nbsp"><xsl:with-param name="value" select="($party/t:SpecifiedOrganization/t:TaxRegistrationID)[last()]"/></xsl:call-template></td></tr>
    <tr><td id="업태{$suffix}"><xsl:call-template name="nbsp"><xsl:with-param name="value" select="$party/t:TypeCode"/></xsl:call-template></td>
      <td id="종목{$suffix}"><xsl:call-template name="nbsp"><xsl:with-param name="value" select="$party/t:ClassificationCode"/></xsl:call-template></td></tr>
  </xsl:template>

  <xsl:template name="item-row">
    <xsl:param name="k"/>
    <xsl:variable name="item" select="$items[$k]"/>
    <xsl:variable name="date" select="string($item/t:PurchaseExpiryDateTime)"/>
    <xsl:variable name="dated" select="string-length($date) = 8 and (count($items) &lt;= 4 or $k = 1)"/>
    <tr>
      <td><xsl:choose><xsl:when test="$dated"><xsl:value-of select="substring($date, 5, 2)"/></xsl:when><xsl:otherwise>&#160;</xsl:otherwise></xsl:choose></td>
      <td><xsl:choose><xsl:when test="$dated"><xsl:value-of select="substring($date, 7, 2)"/></xsl:when><xsl:otherwise>&#160;</xsl:otherwise></xsl:choose></td>
      <xsl:choose>
        <xsl:when test="count($items) &gt; 4">
          <td><xsl:value-of select="concat($item/t:NameText[last()], ' 외 ', count($items) - 1, '건')"/></td>
          <td>&#160;</td><td>&#160;</td><td>&#160;</td>
          <td><xsl:call-template name="amount"><xsl:with-param name="value" select="sum($items/t:InvoiceAmount)"/></xsl:call-template></td>
          <td><xsl:call-template name="amount"><xsl:with-param name="value" select="sum($items/t:TotalTax/t:CalculatedAmount)"/></xsl:call-template></td>
          <td>&#160;</td>
        </xsl:when>
        <xsl:when test="$item">
          <td><xsl:value-of select="$item/t:NameText[last()]"/>&#160;</td>
          <td><xsl:value-of select="$item/t:InformationText[last()]"/>&#160;</td>
          <td><xsl:value-of select="$item/t:ChargeableUnitQuantity[last()]"/>&#160;</td>
          <td><xsl:call-template name="amount"><xsl:with-param name="value" select="$item/t:UnitPrice/t:UnitAmount[last()]"/></xsl:call-template></td>
          <td><xsl:call-template name="amount"><xsl:with-param name="value" select="$item/t:InvoiceAmount"/></xsl:call-template></td>
          <td><xsl:call-template name="amount"><xsl:with-param name="value" select="$item/t:TotalTax/t:CalculatedAmount"/></xsl:call-template></td>
          <td><xsl:call-template name="nbsp"><xsl:with-param name="value" select="$item/t:DescriptionText[last()]"/></xsl:call-template></td>
        </xsl:when>
        <xsl:otherwise>
          <td>&#160;</td><td>&#160;</td><td>&#160;</td><td>&#160;</td><td>&#160;</td><td>&#160;</td><td>&#160;</td>
        </xsl:otherwise>
      </xsl:choose>
    </tr>
  </xsl:template>

  <xsl:template name="payment">
    <xsl:param name="code"/>
    <xsl:variable name="means" select="(//t:SpecifiedPaymentMeans)[position() &lt;= 4][t:TypeCode = $code][1]"/>
    <td>
      <xsl:choose>
        <xsl:when test="$means"><xsl:call-template name="amount"><xsl:with-param name="value" select="$means/t:PaidAmount"/></xsl:call-template></xsl:when>
        <xsl:otherwise>&#160;</xsl:otherwise>
      </xsl:choose>
    </td>
  </xsl:template>

  <xsl:template match="/">
    <xsl:variable name="type" select="substring($doc/t:TypeCode, 1, 2)"/>
    <xsl:variable name="issued" select="string($doc/t:IssueDateTime)"/>
    <html><head><title>전자세금계산서</title></head><body>
    <table>
      <tr><td id="제목">
        <xsl:choose>
          <xsl:when test="$type = '01'">전 자 세 금 계 산 서</xsl:when>
          <xsl:when test="$type = '02'">전 자 수 정 세 금 계 산 서</xsl:when>
          <xsl:when test="$type = '03'">전 자 계 산 서</xsl:when>
          <xsl:when test="$type = '04'">전 자 수 정 계 산 서</xsl:when>
          <xsl:when test="$type = '05'">전 자 취 소 세 금 계 산 서</xsl:when>
          <xsl:when test="$type = '06'">전 자 취 소 계 산 서</xsl:when>
          <xsl:otherwise><xsl:call-template name="nbsp"><xsl:with-param name="value" select="$doc/t:TypeCode"/></xsl:call-template></xsl:otherwise>
        </xsl:choose></td>
        <td id="승인번호"><xsl:call-template name="nbsp"><xsl:with-param name="value" select="$doc/t:IssueID"/></xsl:call-template></td></tr>
    </table>
    <table style="background: url('http://stamp.ledgra.invalid/dti/jsp/stamp_image/{$settlement/t:InvoicerParty/t:ID}.gif')">
      <xsl:call-template name="party">
        <xsl:with-param name="party" select="$settlement/t:InvoicerParty"/>
        <xsl:with-param name="suffix" select="'P'"/>
      </xsl:call-template>
      <xsl:call-template name="party">
        <xsl:with-param name="party" select="$settlement/t:InvoiceeParty"/>
        <xsl:with-param name="suffix" select="'R'"/>
      </xsl:call-template>
    </table>
    <table><tr>
      <xsl:choose>
        <xsl:when test="string-length($issued) = 8">
          <td><xsl:value-of select="substring($issued, 1, 4)"/></td>
          <td><xsl:value-of select="substring($issued, 5, 2)"/></td>
          <td><xsl:value-of select="substring($issued, 7, 2)"/></td>
        </xsl:when>
        <xsl:otherwise><td>&#160;</td><td>&#160;</td><td>&#160;</td></xsl:otherwise>
      </xsl:choose>
      <xsl:call-template name="digit-cells">
        <xsl:with-param name="value" select="string($sum/t:ChargeTotalAmount)"/>
        <xsl:with-param name="cells" select="12"/>
      </xsl:call-template>
      <xsl:call-template name="digit-cells">
        <xsl:with-param name="value" select="string($sum/t:TaxTotalAmount)"/>
        <xsl:with-param name="cells" select="11"/>
      </xsl:call-template>
      <td id="수정사유"><xsl:call-template name="nbsp"><xsl:with-param name="value" select="$descriptions[1]"/></xsl:call-template></td>
    </tr></table>
    <table><tr><td id="비고">
      <xsl:value-of select="$descriptions[2]"/>
      <xsl:for-each select="$settlement/t:BrokerParty">
        <xsl:value-of select="concat('사업자번호:', t:ID, '상호:', t:NameText, '대표자:', t:SpecifiedPerson/t:NameText)"/>
      </xsl:for-each>&#160;</td></tr></table>
    <table>
      <xsl:call-template name="item-row"><xsl:with-param name="k" select="1"/></xsl:call-template>
      <xsl:call-template name="item-row"><xsl:with-param name="k" select="2"/></xsl:call-template>
      <xsl:call-template name="item-row"><xsl:with-param name="k" select="3"/></xsl:call-template>
      <xsl:call-template name="item-row"><xsl:with-param name="k" select="4"/></xsl:call-template>
    </table>
    <table><tr>
      <td id="합계금액"><xsl:call-template name="amount"><xsl:with-param name="value" select="$sum/t:GrandTotalAmount"/></xsl:call-template></td>
      <xsl:call-template name="payment"><xsl:with-param name="code" select="'10'"/></xsl:call-template>
      <xsl:call-template name="payment"><xsl:with-param name="code" select="'20'"/></xsl:call-template>
      <xsl:call-template name="payment"><xsl:with-param name="code" select="'30'"/></xsl:call-template>
      <xsl:call-template name="payment"><xsl:with-param name="code" select="'40'"/></xsl:call-template>
      <td>이 금액을 청구 함.</td>
    </tr></table>
    </body></html>
  </xsl:template>
</xsl:stylesheet>
